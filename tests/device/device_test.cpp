// The device content: where it lives (the factory folder rule, what filling a new folder
// refuses, the first run's fill from the kit installed with the program, which no scenario can
// place; a filled folder and the state after start-up are scenarios), the playlist file (the
// yield after every entry, a failed write; its bytes are the scenarios' and the fuzz check's) and
// the free-space line (the number form, the lazy total and its guard).
#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_file.h"

#include "events/events.h"
#include "support/drives_test.h"
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

// Beside a sound start folder and inside any other are the reset-from-* scenarios; here, a
// start folder whose name differs from the sound folder's only in case is no sound folder.
TEST(Layout, FactoryFilesComeFromInsideAStartFolderNamedInAnotherCase)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\Kit\\tarvo_calls");
    Form1& f = w.start("d:\\Kit\\tarvo_calls");
    EXPECT_EQ(FactoryFolderPrefix(f), "d:\\Kit\\tarvo_calls\\");
}

TEST(Layout, FillingNeedsANewFolderInAnExistingParent)
{
    WindowHarness w;
    Form1& f = w.startOnKit();
    w.drives.makeFolder("d:\\kit\\Tarvo_Calls");
    EXPECT_THROW(FillNewSoundFolder(f, "d:\\kit\\Tarvo_Calls", "d:\\kit\\"), PlatformError);
    EXPECT_THROW(FillNewSoundFolder(f, "d:\\no\\Tarvo_Calls", "d:\\kit\\"), PlatformError);
    EXPECT_FALSE(w.drives.exists("d:\\no"));
}

class PlaylistFile : public ::testing::Test {
protected:
    PlaylistFile() : f(w.start("c:\\")) {}

    std::string written(const std::vector<std::string>& rows)
    {
        f.List1.Clear();
        for (const std::string& row : rows)
            f.List1.AddItem(row);
        WritePlaylistFile(f, "c:\\3r.txt");
        return w.drives.readFile("c:\\3r.txt");
    }

    WindowHarness w;
    Form1& f;
};

TEST_F(PlaylistFile, TheWriterYieldsOnceAfterEveryEntry)
{
    const int before = w.pump.yields;
    std::vector<int> waitDoneAtYield;
    std::vector<std::string> lineAtYield;
    w.pump.duringYield = [&] {
        waitDoneAtYield.push_back(f.WaitDone);
        lineAtYield.push_back(f.PlaylistLine);
    };
    written({"a.mp3", "b.mp3", "c.mp3"});
    EXPECT_EQ(w.pump.yields - before, 3);
    EXPECT_EQ(waitDoneAtYield, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(lineAtYield, (std::vector<std::string>{"a.mp3\r\n", "b.mp3\r\n", "c.mp3"}));
    EXPECT_EQ(f.WaitDone, -1);
}

// Rows of every length up to past the short lines copied word by word, each written as it is.
TEST_F(PlaylistFile, RowsOfEveryLengthAreWrittenAsTheyAre)
{
    std::vector<std::string> rows;
    std::string expected;
    for (std::size_t size = 1; size <= 40; ++size) {
        std::string row;
        for (std::size_t i = 0; i < size; ++i)
            row += static_cast<char>('a' + (size + i) % 26);
        expected += (rows.empty() ? "" : "\r\n") + row;
        rows.push_back(row);
    }
    EXPECT_EQ(written(rows), expected);
}

TEST_F(PlaylistFile, AFailedWriteLeavesTheOldFileAndNamesThePath)
{
    written({"old.mp3"});
    w.disk.setFaultHook([](std::string_view op, const std::string& path) {
        if (op == "write")
            throw PlatformError("write", path, "No space left on device");
    });
    const std::string error = FailureOf([&] { written({"new.mp3"}); }).what();
    EXPECT_NE(error.find("c:\\3r.txt"), std::string::npos);
    EXPECT_NE(error.find("No space left on device"), std::string::npos);
    w.disk.setFaultHook(nullptr);
    EXPECT_EQ(w.drives.readFile("c:\\3r.txt"), "old.mp3");
    // A name the code page cannot hold is refused before anything is written.
    EXPECT_THROW(written({"\xE2\x98\x83.mp3"}), PlatformError);
    EXPECT_EQ(w.drives.readFile("c:\\3r.txt"), "old.mp3");
}

TEST(Capacity, MegabytesAreRoundedToTwoDecimalsHalvesToEvenInTheirShortestForm)
{
    // An exact half goes to the even digit: 0.125 gives 0.12, 0.375 gives 0.38.
    const std::pair<double, const char*> cases[] = {
        {100, "100"},    {87.6, "87.6"},  {12.3456, "12.35"}, {0, "0"},
        {0.125, "0.12"}, {0.375, "0.38"}, {99.999, "100"},    {0.05, "0.05"}};
    for (const auto& [megabytes, shown] : cases)
        EXPECT_EQ(FormatMegabytes(megabytes), shown) << megabytes;
}

// Empty until a folder is confirmed: startup-state.
TEST(Capacity, TheFirstDisplaySumsTheListedFilesOnce)
{
    WindowHarness w;
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\big.mp3", std::string(10485760, 'x'));
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\0.txt", "");
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\notes.txt", std::string(5000, 'x'));
    Form1& f = w.startOnKit();
    f.File2.setPattern("*.mp3");
    f.File2.setPath("d:\\kit\\Tarvo_Calls");

    f.FolderConfirmed = 1;
    RefreshFreeSpace(f);
    EXPECT_EQ(f.UsedBytes, 10485760); // only the listed sound files count
    EXPECT_EQ(f.Label4.Caption(), " Free Space : 90MB");

    // Carried forward, not summed again, while it is not 0.
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\more.mp3", std::string(1048576, 'x'));
    f.File2.Refresh();
    RefreshFreeSpace(f);
    EXPECT_EQ(f.Label4.Caption(), " Free Space : 90MB");

    f.Combo1.userType("typed");
    f.Label4.setCaption("kept");
    RefreshFreeSpace(f);
    EXPECT_EQ(f.Label4.Caption(), "kept");

    // Over the capacity the line keeps its text.
    f.Combo1.setListIndex(0);
    f.Label4.setCaption("kept");
    f.UsedBytes = 104857601;
    RefreshFreeSpace(f);
    EXPECT_EQ(f.Label4.Caption(), "kept");
}

} // namespace
} // namespace korvane::test
