// Playlist files that no player wrote: odd bytes, huge lines, many lines, other line ends.
// Loading shows what matches, reports what does not, and never stops the window.
#include "device/playlist_loading.h"

#include "support/window_harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvane::test {
namespace {

class BadPlaylist : public ::testing::Test {
protected:
    BadPlaylist() : f(startOnKit())
    {
        f.Command1.click();
        f.Command7.click();
    }

    Form1& startOnKit()
    {
        WriteKit(w.drives, "d:\\kit");
        return w.start("d:\\kit");
    }

    // Loads bytes as playlist 0 of the sound folder, as "Yes" does when report is set.
    std::vector<std::string> load(const std::string& bytes, bool report = false)
    {
        w.drives.writeFile(kPlaylist, bytes);
        w.boxes.shown.clear();
        f.LineMatched = 2; // as the handlers set it before a load
        LoadPlaylistFile(f, 0, kPlaylist, report);
        return f.List1.items();
    }

    static constexpr const char* kPlaylist = "d:\\kit\\Tarvo_Calls\\0.txt";
    WindowHarness w;
    Form1& f;
};

using Rows = std::vector<std::string>;

TEST_F(BadPlaylist, OddBytesMatchNothingAndTheRestLoads)
{
    using namespace std::string_literals;
    EXPECT_EQ(load("Taps.mp3\r\nTa\0ps.mp3\r\n\0\r\nreveille.mp3"s),
              (Rows{"Taps.mp3", "reveille.mp3"}));
    // Bytes the code page leaves undefined, and bytes that are no text at all.
    EXPECT_EQ(load("\x81\x8d\x8f\x90\x9d\r\n\xff\xfe\x00\x01\r\nTaps.mp3"s), Rows{"Taps.mp3"});
    EXPECT_EQ(load("\xef\xbb\xbfTaps.mp3\r\ntattoo.mp3"),
              Rows{"tattoo.mp3"}); // a text editor's mark
    EXPECT_TRUE(w.boxes.shown.empty());

    // Reported as loading reports any unknown line: one box for each until the first match.
    EXPECT_EQ(load("\x81\x8d\r\nTaps.mp3\r\n\xff", true), Rows{"Taps.mp3"});
    ASSERT_EQ(w.boxes.prompts().size(), 1u);
    EXPECT_EQ(w.boxes.prompts()[0], "\xC2\x81\xC2\x8D not existed ! Can't list it !");
}

TEST_F(BadPlaylist, HugeLinesAndManyLinesLoad)
{
    const std::string megabyte(1 << 20, 'x');
    EXPECT_EQ(load(megabyte), Rows{});
    EXPECT_EQ(load(megabyte + "\r\nTaps.mp3", true), Rows{"Taps.mp3"});
    ASSERT_EQ(w.boxes.prompts().size(), 1u);
    EXPECT_EQ(w.boxes.prompts()[0], megabyte + " not existed ! Can't list it !");

    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += i % 2 ? "tattoo.mp3\r\n" : "Taps.mp3\r\n";
    const Rows rows = load(many);
    ASSERT_EQ(rows.size(), 100000u);
    EXPECT_EQ(rows.front(), "Taps.mp3");
    EXPECT_EQ(rows.back(), "tattoo.mp3");
    EXPECT_EQ(f.List1.ListCount(), 100000);
}

TEST_F(BadPlaylist, APlaylistThatCannotBeReadIsReportedAndTheWindowGoesOn)
{
    load("Taps.mp3");
    std::filesystem::remove(w.drives.hostPath("d:\\kit\\Tarvo_Calls\\1.txt"));
    w.drives.makeFolder("d:\\kit\\Tarvo_Calls\\1.txt\\inside");
    w.boxes.shown.clear();
    f.Combo1.userChoose(1);
    ASSERT_EQ(w.boxes.prompts().size(), 1u);
    EXPECT_EQ(w.boxes.prompts()[0],
              "Could not read \"d:\\kit\\Tarvo_Calls\\1.txt\": Is a directory");
    EXPECT_EQ(w.boxes.shown[0].title, "Korvane");

    f.Combo1.userChoose(0);
    EXPECT_EQ(f.List1.items(), Rows{"Taps.mp3"});
    EXPECT_EQ(w.boxes.prompts().size(), 1u);
}

} // namespace
} // namespace korvane::test
