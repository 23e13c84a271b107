// The start of the program on a drive map: the README's KORVANE_DRIVES example started from a
// copy of the factory kit that none of its drives holds.
#include "disk/start_folder.h"
#include "events/events.h"
#include "support/drives_test.h"
#include "support/window_harness.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using StartFolder = DrivesTest;

TEST_F(StartFolder, AFolderOutsideEveryDriveBecomesTheNextFreeDriveAndTheWindowStartsThere)
{
    const std::string kit = drives.root() + "/kit";
    WriteKit(drives, "kit");

    const StartDrives start = WithStartFolder(drives.map(), kit);
    ASSERT_EQ(start.addedLetter, 'f');
    ASSERT_EQ(start.drives.size(), 4u);
    EXPECT_EQ(start.drives.back().letter, 'f');
    EXPECT_EQ(start.drives.back().hostRoot, kit);
    EXPECT_EQ(StartDriveNotice(start, kit), "no drive of KORVANE_DRIVES holds the current folder " +
                                                kit + "; it is drive f: for this run");

    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, kit), "");
    EXPECT_EQ(disk.CurrentDrive(), 'f');
    ScriptedBoxes boxes;
    ScriptedPicker picker;
    CountingPump pump;
    Form1 form(disk, boxes, picker, pump, WireEvents);
    form.Load();
    // The kit is where the program starts: nothing is made, no box complains.
    EXPECT_EQ(form.StartFolder, "f:\\");
    EXPECT_EQ(form.CreatedSoundFolder, "");
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().prompt;
    EXPECT_FALSE(drives.exists("c:\\Tarvo_Calls"));
    EXPECT_EQ(form.Drive2.Drive(), "f:");
}

TEST_F(StartFolder, AFolderADriveHoldsIsEnteredOnThatDriveAndNoDriveIsAdded)
{
    drives.makeFolder("d:\\work\\Calls");
    const std::string work = drives.host('d') + "/work/calls"; // found without regard to case

    const StartDrives start = WithStartFolder(drives.map(), work);
    EXPECT_EQ(start.addedLetter, 0);
    EXPECT_EQ(start.drives.size(), 3u);
    EXPECT_EQ(StartDriveNotice(start, work), "");
    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, work), "");
    EXPECT_EQ(disk.CurrentDrive(), 'd');
    EXPECT_EQ(disk.CurDir('d'), "d:\\work\\Calls");

    // A folder that went between the start and entering it is reported, not thrown.
    std::filesystem::remove(drives.host('d') + "/work/Calls");
    Disk later(start.drives);
    EXPECT_NE(EnterStartFolder(later, drives.host('d') + "/work/Calls"), "");
}

TEST_F(StartFolder, WithEveryLetterTakenTheDrivesStayAsTheyAre)
{
    std::vector<DriveMapping> all;
    for (char letter = 'c'; letter <= 'z'; ++letter)
        all.push_back({letter, drives.host('c'), ""});
    const std::string outside = drives.root() + "/outside";
    const StartDrives start = WithStartFolder(all, outside);
    EXPECT_EQ(start.addedLetter, 0);
    EXPECT_EQ(start.drives.size(), all.size());
    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, outside), "");
    EXPECT_EQ(disk.CurrentDrive(), 'c');
}

} // namespace
} // namespace korvane::test
