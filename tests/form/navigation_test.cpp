// The computer-side lists: a drive change moves the folder list and the current folder; a
// folder change moves only the file list.
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

// The window on the drives c:, d: and e:, with the lists of "Add" shown as it shows them.
class Navigation : public ::testing::Test {
protected:
    Navigation() : w("cde"), f(startWithListsShown()) {}

    Form1& startWithListsShown()
    {
        WriteKit(w.drives, "d:\\kit");
        w.drives.writeFile("d:\\music\\a.mp3", "a");
        w.drives.writeFile("d:\\music\\notes.txt", "n");
        w.drives.writeFile("d:\\music\\old\\b.mp3", "b");
        w.drives.writeFile("c:\\c.mp3", "c");
        w.drives.writeFile("e:\\a.mp3", "a");
        Form1& form = w.start("d:\\kit");
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

    w.disk.setFaultHook([](std::string_view, const std::string& path) {
        if (path.rfind("e:", 0) == 0)
            throw PlatformError("read", path, "No medium found");
    });
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
