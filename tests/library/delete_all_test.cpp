// "Delete All" over a playlist: the rows of every deleted file go, those of a file that could
// not be deleted stay.
#include "controls/ui.h"
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

TEST(DeleteAll, TheRowsOfDeletedFilesGoAndAFailureKeepsTheRowsOfWhatIsLeft)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\kit");
    WriteKit(w.drives, "d:\\work\\Tarvo_Calls");
    for (const char* call : {"a.mp3", "b.mp3", "c.mp3"})
        w.drives.writeFile(std::string("d:\\work\\Tarvo_Calls\\") + call, call);
    Form1& f = w.start("d:\\kit");
    f.Command1.click();
    f.Dir2.userOpen("d:\\work");
    f.Command7.click();
    ASSERT_EQ(f.File2.Path(), "d:\\work\\Tarvo_Calls");
    const std::size_t listed = f.File2.names().size();

    // Deleted in list order; the first that cannot be deleted stops the rest.
    w.disk.setFaultHook([](std::string_view operation, const std::string& path) {
        if (operation == "delete" && path.ends_with("\\c.mp3"))
            throw PlatformError("delete", path, "Device or resource busy");
    });
    f.List1.Clear();
    f.List1.AddItems({"a.mp3", "c.mp3", "x.mp3", "b.mp3", "a.mp3", "c.mp3"});
    f.List1.userSelect(2);
    w.boxes.answers = {kAnswerYes};
    f.Command6.click();
    EXPECT_EQ(f.List1.items(), (std::vector<std::string>{"c.mp3", "x.mp3", "c.mp3"}));
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_TRUE(w.drives.exists("d:\\work\\Tarvo_Calls\\c.mp3"));
    EXPECT_FALSE(w.drives.exists("d:\\work\\Tarvo_Calls\\b.mp3"));
    EXPECT_LT(f.File2.names().size(), listed);

    // Rows of files not in the folder stay, and so does their selection when nothing goes.
    w.disk.setFaultHook({});
    f.List1.Clear();
    f.List1.AddItems({"x.mp3", "y.mp3"});
    f.List1.userSelect(1);
    w.boxes.answers = {kAnswerYes};
    f.Command6.click();
    EXPECT_EQ(f.List1.items(), (std::vector<std::string>{"x.mp3", "y.mp3"}));
    EXPECT_EQ(f.List1.ListIndex(), 1);
    EXPECT_EQ(f.File2.ListCount(), 0);
}

} // namespace
} // namespace korvane::test
