#include "sys/text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Text, LowerCaseFoldsAsciiAndLatin1CapitalsOnly)
{
    EXPECT_EQ(LowerCase("Tarvo_Calls\\TAPS.Mp3"), "tarvo_calls\\taps.mp3");
    EXPECT_EQ(LowerCase("ÀÉÎÕÜÇÑØÞ"), "àéîõüçñøþ");
    // The multiplication sign sits among the capitals but is no letter; ß has no capital here.
    EXPECT_EQ(LowerCase("×ß÷"), "×ß÷");
    // Letters outside Latin-1 and already small letters stay as they are.
    EXPECT_EQ(LowerCase("ŒŠĀ дом"), "ŒŠĀ дом");
    EXPECT_EQ(LowerCase("@[`{"), "@[`{");
}

TEST(Text, WildcardMatchIgnoresCaseTakesAlternativesAndLetsADotBeMissing)
{
    EXPECT_TRUE(WildcardMatch("*.mp3", "Taps.MP3"));
    EXPECT_TRUE(WildcardMatch("*.MP3", "taps.mp3"));
    EXPECT_FALSE(WildcardMatch("*.mp3", "taps.mp3.txt"));
    EXPECT_FALSE(WildcardMatch("*.mp3", "taps.mp"));
    EXPECT_TRUE(WildcardMatch("?.txt", "0.txt"));
    EXPECT_FALSE(WildcardMatch("?.txt", "10.txt"));
    EXPECT_TRUE(WildcardMatch("t*s*.mp3", "taps_and_tattoos.mp3"));
    EXPECT_TRUE(WildcardMatch("*a*a*a*", "banana"));
    EXPECT_FALSE(WildcardMatch("*a*a*a*a*", "banana"));
    // '?' is one character, also when it takes several bytes.
    EXPECT_TRUE(WildcardMatch("caf?.mp3", "Café.mp3"));
    EXPECT_TRUE(WildcardMatch("café.mp3", "CAFÉ.MP3"));
    EXPECT_TRUE(WildcardMatch("*.wav;*.mp3", "taps.mp3"));
    EXPECT_TRUE(WildcardMatch("*.wav;*.mp3", "taps.WAV"));
    EXPECT_FALSE(WildcardMatch("*.wav;*.mp3", "taps.txt"));
    // The pattern that start-up uses to show nothing.
    EXPECT_FALSE(WildcardMatch("*.tymdhms", "Taps.mp3"));
    EXPECT_FALSE(WildcardMatch("", "Taps.mp3"));
    // "*.*" and "Taps.*" also match names without a dot.
    EXPECT_TRUE(WildcardMatch("*.*", "README"));
    EXPECT_TRUE(WildcardMatch("*.*", "Taps.mp3"));
    EXPECT_TRUE(WildcardMatch("Taps.*", "Taps"));
    EXPECT_TRUE(WildcardMatch("Taps.*", "taps.mp3"));
    EXPECT_FALSE(WildcardMatch("Taps.*", "Tapster"));
    EXPECT_TRUE(WildcardMatch("*", "."));
}

TEST(Text, AnsiRoundTripsEveryByteOfTheCodePage)
{
    for (int byte = 0; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::optional<std::string> back = ToAnsi(FromAnsi(ansi));
        ASSERT_TRUE(back.has_value()) << "byte " << byte;
        EXPECT_EQ(*back, ansi) << "byte " << byte;
    }
    EXPECT_EQ(FromAnsi("Caf\xE9 \x80 \x93quote\x94 \x8A\x9F"), "Café € “quote” ŠŸ");
    EXPECT_EQ(ToAnsi("Café € “quote” ŠŸ"), "Caf\xE9 \x80 \x93quote\x94 \x8A\x9F");
    // The bytes the code page leaves undefined become the C1 controls of the same number.
    EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(ToAnsi(""), "");
}

TEST(Text, AnsiRefusesWhatTheCodePageCannotHold)
{
    EXPECT_EQ(ToAnsi("Ā.mp3"), std::nullopt);      // U+0100, Latin Extended-A
    EXPECT_EQ(ToAnsi("звонок.mp3"), std::nullopt); // Cyrillic
    EXPECT_EQ(ToAnsi("🎺.mp3"), std::nullopt);      // outside the basic plane
    // C1 controls that stand for defined bytes of the code page (0x80 is the euro sign).
    EXPECT_EQ(ToAnsi("\u0080"), std::nullopt);
    EXPECT_EQ(ToAnsi("\u0093"), std::nullopt);
    // Malformed UTF-8: a lone lead byte, a stray continuation, an overlong '/', a surrogate.
    EXPECT_EQ(ToAnsi("caf\xC3"), std::nullopt);
    EXPECT_EQ(ToAnsi("\xA9"), std::nullopt);
    EXPECT_EQ(ToAnsi("\xC0\xAF"), std::nullopt);
    EXPECT_EQ(ToAnsi("\xED\xA0\x80"), std::nullopt);
}

} // namespace
} // namespace korvane
