// The free-space line: the number form, the lazy total and its guard.
#include "device/capacity.h"

#include "support/window_harness.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

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
    WriteKit(w.drives, "d:\\kit");
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\big.mp3", std::string(10485760, 'x'));
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\0.txt", "");
    w.drives.writeFile("d:\\kit\\Tarvo_Calls\\notes.txt", std::string(5000, 'x'));
    Form1& f = w.start("d:\\kit");
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
