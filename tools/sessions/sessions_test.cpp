// The random sessions: the same seed gives the same session, the sessions reach the odd cases
// they are for, a failing session is shortened to what makes it fail, and a script error the
// generator could not foresee is repaired while any other one is not.
#include "generator.h"
#include "minimise.h"
#include "session_check.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane::sessions {
namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

TEST(RandomSessions, ASeedAlwaysNamesTheSameSessionAndSeedsDiffer)
{
    EXPECT_EQ(GenerateSession(7), GenerateSession(7));
    EXPECT_NE(GenerateSession(7), GenerateSession(8));
    const std::vector<std::string> session = GenerateSession(7);
    const auto start = std::find(session.begin(), session.end(), "start");
    ASSERT_NE(start, session.end());
    // The scene comes first, and the window is looked at as soon as it is there.
    EXPECT_EQ(session.front().rfind("drive c", 0), 0u);
    EXPECT_TRUE(std::none_of(start, session.end(), [](const std::string& line) {
        return line.rfind("drive ", 0) == 0 || line.rfind("cwd ", 0) == 0;
    }));
    const std::vector<std::string> look = LookLines();
    ASSERT_GE(session.end() - start, static_cast<std::ptrdiff_t>(look.size()) + 1);
    EXPECT_EQ(
        std::vector<std::string>(start + 1, start + 1 + static_cast<std::ptrdiff_t>(look.size())),
        look);
}

TEST(RandomSessions, ManySeedsReachEveryOddCase)
{
    std::vector<std::string> all;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        const std::vector<std::string> session = GenerateSession(seed);
        all.insert(all.end(), session.begin(), session.end());
    }
    // Odd names: blanks, case twins, letters beyond ASCII, in and out of the code page.
    for (const char* text :
         {"\"d:\\My Calls", "Taps.mp3", "taps.mp3", "café.mp3", "日本", "tarvo_calls", "\\xe9"})
        EXPECT_TRUE(Contains(all, text)) << text;
    // Every kind of line end in the playlists.
    for (const char* text : {".mp3\\r\\n", ".mp3\\r", ".mp3\\n", "\\n\\r"})
        EXPECT_TRUE(Contains(all, text)) << text;
    // Every kind of input, answer, pick and fault.
    for (const char* text :
         {"click Command", "choose Combo1 ", "choose Drive1 ", "choose Drive2 ", "open Dir1 ",
          "open Dir2 ",    "select List1 ",  "select File1 ",  "select File2 ",  "type Combo1 ",
          "answer ",       "pick cancel",    "pick ",          "during-yield ",  "unfault",
          "fault read ",   "fault write ",   "fault copy ",    "fault delete ",  "fault mkdir ",
          "fault length ", "fault any ",     " after=",        "show rows Dir2"})
        EXPECT_TRUE(Contains(all, text)) << text;
}

TEST(RandomSessions, ShorteningKeepsOnlyTheLinesThatMakeTheFailure)
{
    std::vector<std::string> lines;
    for (int n = 0; n < 40; ++n)
        lines.push_back("line " + std::to_string(n));
    int asked = 0;
    // Fails while lines 3 and 31 are both there, in that order.
    const auto fails = [&](const std::vector<std::string>& candidate) {
        ++asked;
        const auto a = std::find(candidate.begin(), candidate.end(), "line 3");
        const auto b = std::find(candidate.begin(), candidate.end(), "line 31");
        return a != candidate.end() && b != candidate.end() && a < b;
    };
    EXPECT_EQ(Minimise(lines, fails), (std::vector<std::string>{"line 3", "line 31"}));
    EXPECT_LT(asked, 60);
    // Out of time at once: the session stays as it was.
    EXPECT_EQ(Minimise(lines, [](const std::vector<std::string>&) { return false; }), lines);
}

TEST(RandomSessions, OnlyTheScriptErrorsTheGeneratorCannotForeseeAreRepaired)
{
    const std::vector<std::string> script = {"drive c", "start", "click Command5",
                                             "select File2 gone.mp3", "show state"};
    const auto repaired = [&](const std::string& error, int attempt = 0) {
        return Repaired(script, "> start\n" + error + "\n", attempt);
    };
    EXPECT_EQ(repaired("error: LINE 4: File2 does not list gone.mp3"),
              (std::vector<std::string>{"drive c", "start", "click Command5", "show state"}));
    EXPECT_EQ(repaired("error: LINE 3: no answer queued for the box \"Delete?\"", 1),
              (std::vector<std::string>{"drive c", "start", "answer no", "click Command5",
                                        "select File2 gone.mp3", "show state"}));
    EXPECT_EQ(repaired("error: LINE 3: nothing queued for the picker \"Pick\"")->at(2),
              "pick cancel");
    // Anything else is the generator's own mistake, or the program's, and stays.
    EXPECT_FALSE(repaired("error: LINE 3: unknown control Command3"));
    EXPECT_FALSE(repaired("error: LINE 9: File2 does not list gone.mp3"));
    EXPECT_FALSE(Repaired(script, "> start\nbox \"x\"\n", 0));
}

TEST(RandomSessions, TheFirstDifferenceNamesItsLineAndBothSides)
{
    EXPECT_EQ(FirstDifference("a\nb\n", "a\nb\n"), "");
    EXPECT_EQ(FirstDifference("a\nb\nc\n", "a\nB\nc\n"),
              "transcript line 2:\n  core: b\n  gui:  B");
    EXPECT_EQ(FirstDifference("a\n", "a\nmore\n"),
              "transcript line 2:\n  core: (ended)\n  gui:  more");
}

} // namespace
} // namespace korvane::sessions
