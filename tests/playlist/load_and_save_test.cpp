// Playlists on a confirmed sound folder. Files no player wrote (odd bytes, huge or many lines):
// loading shows what matches, reports what does not, and never stops the window. "Save" without
// a question rests on the last decision of any operation.
#include "device/playlist_loading.h"

#include "support/window_harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvane::test {
namespace {

// The window started on the factory kit, its sound folder confirmed with "File" and "Yes".
class OnSoundFolder : public ::testing::Test {
protected:
    OnSoundFolder() : f(w.startOnKit())
    {
        f.Command1.click();
        f.Command7.click();
    }

    WindowHarness w;
    Form1& f;
};

class BadPlaylist : public OnSoundFolder {
protected:
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
    ASSERT_EQ(w.boxes.prompts(), Rows{"\xC2\x81\xC2\x8D not existed ! Can't list it !"});
}

TEST_F(BadPlaylist, HugeLinesAndManyLinesLoad)
{
    const std::string megabyte(1 << 20, 'x');
    EXPECT_EQ(load(megabyte), Rows{});
    EXPECT_EQ(load(megabyte + "\r\nTaps.mp3", true), Rows{"Taps.mp3"});
    ASSERT_EQ(w.boxes.prompts(), Rows{megabyte + " not existed ! Can't list it !"});

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
    ASSERT_EQ(w.boxes.prompts(),
              Rows{"Could not read \"d:\\kit\\Tarvo_Calls\\1.txt\": Is a directory"});
    EXPECT_EQ(w.boxes.shown[0].title, "Korvane");

    f.Combo1.userChoose(0);
    EXPECT_EQ(f.List1.items(), Rows{"Taps.mp3"});
    EXPECT_EQ(w.boxes.prompts().size(), 1u);
}

class SaveUnasked : public OnSoundFolder {
protected:
    SaveUnasked()
    {
        f.File2.userSelect("Taps.mp3");
        f.Command8.click(); // the working copy is now current
        EXPECT_EQ(f.UseWorkingCopy, 1);
        f.UseWorkingCopy = 0;
        // The device playlist vanished behind the program's back after it was loaded.
        std::filesystem::remove(w.drives.hostPath("d:\\kit\\Tarvo_Calls\\0.txt"));
    }
};

TEST_F(SaveUnasked, WithNoEarlierYesNothingIsAskedOrWritten)
{
    const std::size_t boxes = w.boxes.shown.size();
    f.Command14.click();
    EXPECT_EQ(w.boxes.shown.size(), boxes);
    EXPECT_FALSE(w.drives.exists("d:\\kit\\Tarvo_Calls\\0.txt"));
    EXPECT_EQ(f.UseWorkingCopy, 1);
    EXPECT_EQ(f.ConfirmDecision, 0);
}

TEST_F(SaveUnasked, AfterAnEarlierYesTheFileIsWrittenWithoutAQuestion)
{
    f.ConfirmDecision = 3; // left by an earlier confirmation answered Yes
    f.Command8.setEnabled(false);
    const std::size_t boxes = w.boxes.shown.size();
    f.Command14.click();
    EXPECT_EQ(w.boxes.shown.size(), boxes);
    // The rows shown: slot 0 of the kit, which already named Taps.mp3.
    EXPECT_EQ(w.drives.readFile("d:\\kit\\Tarvo_Calls\\0.txt"),
              w.drives.readFile("d:\\kit\\0.txt"));
    EXPECT_EQ(f.UseWorkingCopy, 0);
    EXPECT_TRUE(f.Command8.Enabled()); // enabled again after a write
}

TEST_F(SaveUnasked, WithNoSlotChosenNothingIsWritten)
{
    f.ConfirmDecision = 3;
    f.Combo1.userType("typed");
    f.Command14.click();
    EXPECT_FALSE(w.drives.exists("d:\\kit\\Tarvo_Calls\\0.txt"));
    EXPECT_FALSE(w.drives.exists("d:\\kit\\Tarvo_Calls\\-1.txt"));
}

} // namespace
} // namespace korvane::test
