// The control kinds: the events some assignments raise at once, and the list rules. The
// computer-side lists of the window: a drive change moves the folder list and the current
// folder; a folder change moves only the file list.
#include "controls/controls.h"

#include "support/temp_drives.h"
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace korvane::test {
namespace {

TEST(Controls, SelectingAComboItemRunsItsClickBeforeTheAssignmentReturns)
{
    ComboBox combo("Combo1");
    combo.setItems({"Play List0", "Play List1"});
    std::vector<int> seen;
    combo.onClick([&] { seen.push_back(combo.ListIndex()); });
    combo.setListIndex(1);
    ASSERT_EQ(seen, std::vector<int>{1});
    EXPECT_EQ(combo.Text(), "Play List1");
    combo.userType("my own text");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(seen.size(), 1u); // typing raises nothing
    combo.userChoose(0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));
}

TEST(Controls, ListBoxSelectionFollowsRemovals)
{
    ListBox list("List1");
    for (const char* row : {"a", "b", "c", "d"})
        list.AddItem(row);
    list.setListIndex(2);
    list.RemoveItem(0); // a row above the selection: the same row stays selected
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.List(1), "c");
    list.RemoveItem(1); // the selected row itself: nothing selected
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.List(7), ""); // outside the list reads empty
    list.setListIndex(0);
    list.Clear();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.ListCount(), 0);
}

TEST(Controls, FolderListPathRulesAndChangeEvent)
{
    TempDrives drives("cg");
    drives.setLabel('g', "DATA");
    drives.makeFolder("c:\\work\\a");
    drives.makeFolder("c:\\work\\b");
    drives.makeFolder("g:\\calls");
    Disk disk = drives.disk();
    disk.ChDir("g:\\calls");
    DirListBox dir("Dir2", disk);
    int changes = 0;
    dir.onChange([&] { ++changes; });

    dir.setPath("c:"); // a drive: its current folder, the root keeps its separator
    EXPECT_EQ(dir.Path(), "c:\\");
    EXPECT_EQ(changes, 1);
    dir.setPath("c:\\"); // the same text: no change
    EXPECT_EQ(changes, 1);
    dir.setPath("g: [DATA]");
    EXPECT_EQ(dir.Path(), "g:\\calls");
    dir.setPath("C:\\WORK"); // kept as written
    EXPECT_EQ(dir.Path(), "C:\\WORK");
    EXPECT_EQ(changes, 3);
    ASSERT_EQ(dir.rows().size(), 4u); // root, the open folder, its two sub-folders
    EXPECT_EQ(dir.rows()[0].kind, FolderRow::Kind::Root);
    EXPECT_EQ(dir.rows()[1].kind, FolderRow::Kind::Current);
    EXPECT_EQ(dir.rows()[3].name, "b");
    EXPECT_EQ(dir.rows()[3].depth, 2);
    EXPECT_THROW(dir.setPath("c:\\missing"), PlatformError);
    EXPECT_EQ(dir.Path(), "C:\\WORK");
    EXPECT_EQ(changes, 3);
}

// Makes every read of a folder whose path starts with prefix fail, as a pulled-out medium does.
void FailReadsUnder(Disk& disk, std::string prefix)
{
    disk.setFaultHook([prefix](std::string_view operation, const std::string& path) {
        if (operation == "read" && path.rfind(prefix, 0) == 0)
            throw PlatformError("read", path, "No medium found");
    });
}

// A folder list whose read fails keeps its path and rows and raises no change: the scenarios
// failed-fill-and-folder-refresh and failed-drive-change, in the logic and in the window.
TEST(Controls, AFileListWhoseReadFailsStaysExactlyAsItWasAndTellsNobody)
{
    TempDrives drives("c");
    drives.writeFile("c:\\music\\a.mp3", "a");
    drives.writeFile("c:\\music\\b.mp3", "b");
    drives.writeFile("c:\\other\\c.mp3", "c");
    Disk disk = drives.disk();
    FileListBox files("File2", disk);
    files.setPattern("*.mp3");
    files.setPath("c:\\music");
    files.userSelect("b.mp3");
    files.Refresh(); // still there: still current
    EXPECT_EQ(files.ListIndex(), 1);
    int notified = 0;
    files.observe([&](const Control&) { ++notified; });
    drives.writeFile("c:\\music\\a.txt", "new since the last read");

    FailReadsUnder(disk, "c:\\music");
    const std::pair<const char*, std::function<void()>> failures[] = {
        {"another pattern", [&] { files.setPattern("*.*"); }},
        {"the same pattern", [&] { files.setPattern("*.mp3"); }}, // reads too
        {"a refresh", [&] { files.Refresh(); }},
        {"another folder", [&] {
             FailReadsUnder(disk, "c:\\other");
             files.setPath("c:\\other");
         }}};
    for (const auto& [name, failing] : failures) {
        EXPECT_THROW(failing(), PlatformError) << name;
        EXPECT_EQ(files.Path(), "c:\\music") << name;
        EXPECT_EQ(files.Pattern(), "*.mp3") << name;
        EXPECT_EQ(files.names(), (std::vector<std::string>{"a.mp3", "b.mp3"})) << name;
        EXPECT_EQ(files.ListIndex(), 1) << name;
        EXPECT_EQ(notified, 0) << name;
    }

    disk.setFaultHook(nullptr);
    files.setPattern("*.*");
    EXPECT_EQ(files.names(), (std::vector<std::string>{"a.mp3", "a.txt", "b.mp3"}));
    EXPECT_EQ(files.ListIndex(), -1);
    EXPECT_EQ(notified, 1);
}

TEST(Controls, DriveListShowsEntriesWithLabelsAndRaisesItsChange)
{
    TempDrives drives("cf");
    drives.setLabel('f', "DATA");
    Disk disk = drives.disk();
    DriveListBox drive("Drive2", disk);
    int changes = 0;
    drive.onChange([&] { ++changes; });
    drive.showCurrentDrive();
    EXPECT_EQ(drive.Drive(), "c:");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(drive.entries(), (std::vector<std::string>{"c:", "f: [DATA]"}));
    drive.userChoose('f');
    EXPECT_EQ(drive.Drive(), "f: [DATA]");
    EXPECT_EQ(changes, 1);
    drive.userChoose('f');
    EXPECT_EQ(changes, 1);
}

// The window on the drives c:, d: and e:, with the lists of "Add" shown as it shows them.
class Navigation : public ::testing::Test {
protected:
    Navigation() : w("cde"), f(startWithListsShown()) {}

    Form1& startWithListsShown()
    {
        for (const char* file : {"d:\\music\\a.mp3", "d:\\music\\notes.txt",
                                 "d:\\music\\old\\b.mp3", "c:\\c.mp3", "e:\\a.mp3"})
            w.drives.writeFile(file, "x");
        Form1& form = w.startOnKit();
        for (Control* c : std::initializer_list<Control*>{&form.Drive1, &form.Dir1, &form.File1})
            c->setVisible(true);
        return form;
    }

    WindowHarness w;
    Form1& f;
};

TEST_F(Navigation, DriveAndFolderListsKeepTheFileListInStep)
{
    f.Drive1.userChoose('c');
    EXPECT_EQ(f.Dir1.Path(), "c:\\");
    EXPECT_EQ(f.File1.names(), std::vector<std::string>{"c.mp3"});
    EXPECT_EQ(w.disk.CurrentDrive(), 'c');

    f.Drive1.userChoose('d'); // d: is still where start-up left it
    EXPECT_EQ(f.Dir1.Path(), "d:\\kit");
    EXPECT_EQ(f.File1.ListCount(), 11);

    f.Dir1.userOpen("d:\\music");
    EXPECT_EQ(f.File1.Path(), "d:\\music");
    EXPECT_EQ(f.File1.names(), std::vector<std::string>{"a.mp3"});
    f.Dir1.userOpen("d:\\music\\old");
    EXPECT_EQ(f.File1.names(), std::vector<std::string>{"b.mp3"});
    // Opening a folder does not move the current folder; only a drive change does.
    EXPECT_EQ(w.disk.CurDir('d'), "d:\\kit");
    f.Drive1.userChoose('c');
    f.Drive1.userChoose('d');
    EXPECT_EQ(f.Dir1.Path(), "d:\\kit");
}

TEST_F(Navigation, AFolderOrDriveThatCannotBeReadIsReportedAndTheListsStay)
{
    f.Drive1.userChoose('c');
    f.Drive1.userChoose('d');
    f.Dir1.userOpen("d:\\gone");
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_NE(w.boxes.shown[0].prompt.find("d:\\gone"), std::string::npos);
    EXPECT_EQ(f.Dir1.Path(), "d:\\kit");
    EXPECT_EQ(f.File1.Path(), "d:\\kit");

    FailReadsUnder(w.disk, "e:");
    f.Drive1.userChoose('e');
    ASSERT_EQ(w.boxes.prompts().size(), 2u);
    EXPECT_EQ(w.boxes.prompts()[1], "Could not read \"e:\\\": No medium found");
    EXPECT_EQ(f.Drive1.Drive(), "d:");
    EXPECT_EQ(f.Dir1.Path(), "d:\\kit");
    EXPECT_EQ(f.File1.Path(), "d:\\kit");
    EXPECT_EQ(w.disk.CurrentDrive(), 'd');

    // A failure that is not the disk's is reported the same way, and the window goes on.
    w.disk.setFaultHook([](std::string_view, const std::string&) { throw std::bad_alloc(); });
    f.Drive1.userChoose('c');
    ASSERT_EQ(w.boxes.prompts().size(), 3u);
    EXPECT_EQ(w.boxes.prompts()[2], "Korvane could not finish this: std::bad_alloc");
    EXPECT_EQ(f.Drive1.Drive(), "d:");

    w.disk.setFaultHook(nullptr);
    f.Drive1.userChoose('e');
    EXPECT_EQ(f.File1.names(), std::vector<std::string>{"a.mp3"});
    EXPECT_EQ(w.boxes.prompts().size(), 3u);
}

} // namespace
} // namespace korvane::test
