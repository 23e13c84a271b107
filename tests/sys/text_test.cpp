#include "sys/ascii.h"
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

TEST(Text, IsAsciiSeesAByteAbove127WhereverItIs)
{
    // Every length around the word size, the byte in every place: the word-wise check must
    // neither miss the ends nor read past them.
    for (std::size_t size = 0; size <= 20; ++size) {
        const std::string plain(size, 'a');
        EXPECT_TRUE(IsAscii(plain)) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string high = plain;
            high[at] = '\x80';
            EXPECT_FALSE(IsAscii(high)) << size << " " << at;
            EXPECT_TRUE(IsAscii(std::string_view(high).substr(at + 1))) << size << " " << at;
        }
    }
}

TEST(Text, WildcardMatchIgnoresCaseTakesAlternativesAndLetsADotBeMissing)
{
    // Each case is a pattern, a blank and a name. '?' is one character, also when it takes
    // several bytes; "*.*" and "Taps.*" also match names without a dot; "*.tymdhms" is the
    // pattern that start-up uses to show nothing.
    const auto expect = [](bool matches, std::initializer_list<std::string_view> cases) {
        for (std::string_view c : cases)
            EXPECT_EQ(WildcardMatch(c.substr(0, c.find(' ')), c.substr(c.find(' ') + 1)), matches)
                << c;
    };
    expect(true, {"*.mp3 Taps.MP3", "*.MP3 taps.mp3", "?.txt 0.txt",
                  "t*s*.mp3 taps_and_tattoos.mp3", "*a*a*a* banana", "caf?.mp3 Café.mp3",
                  "café.mp3 CAFÉ.MP3", "*.wav;*.mp3 taps.mp3", "*.wav;*.mp3 taps.WAV", "*.* README",
                  "*.* Taps.mp3", "Taps.* Taps", "Taps.* taps.mp3", "* ."});
    expect(false, {"*.mp3 taps.mp3.txt", "*.mp3 taps.mp", "?.txt 10.txt", "*a*a*a*a* banana",
                   "*.wav;*.mp3 taps.txt", "*.tymdhms Taps.mp3", " Taps.mp3", "Taps.* Tapster"});
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
    // Latin Extended-A, Cyrillic, outside the basic plane; C1 controls that stand for defined
    // bytes of the code page (0x80 is the euro sign); malformed UTF-8: a lone lead byte, a stray
    // continuation, an overlong '/', a surrogate.
    for (const char* text : {"Ā.mp3", "звонок.mp3", "🎺.mp3", "\u0080", "\u0093", "caf\xC3", "\xA9",
                             "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(ToAnsi(text), std::nullopt) << text;
}

} // namespace
} // namespace korvane
