// "Save" without a question: what it does rests on the last decision of any operation.
#include "support/window_harness.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

class SaveUnasked : public ::testing::Test {
protected:
    SaveUnasked() : f(startOnKit())
    {
        f.Command1.click();
        f.Command7.click();
        f.File2.userSelect("Taps.mp3");
        f.Command8.click(); // the working copy is now current
        EXPECT_EQ(f.UseWorkingCopy, 1);
        f.UseWorkingCopy = 0;
        // The device playlist vanished behind the program's back after it was loaded.
        std::filesystem::remove(w.drives.hostPath("d:\\kit\\Tarvo_Calls\\0.txt"));
    }

    Form1& startOnKit()
    {
        WriteKit(w.drives, "d:\\kit");
        return w.start("d:\\kit");
    }

    WindowHarness w;
    Form1& f;
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
