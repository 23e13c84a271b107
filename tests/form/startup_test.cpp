// Start-up's first run on an empty root fills the new sound folder from the kit installed with
// the program, which no scenario can place. What a filled folder holds is the scenario
// yes-creates-sound-folder; where the window starts and its state after start-up are scenarios.
#include "support/window_harness.h"

#include "events/events.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

TEST(StartUp, FirstRunOnAnEmptyRootFillsTheSoundFolderFromTheInstalledKit)
{
    WindowHarness w("cde");
    WriteKit(w.drives, "d:\\kit");
    w.disk.ChDrive("e");
    auto f = std::make_unique<Form1>(w.disk, w.boxes, w.picker, w.pump, WireEvents);
    f->InstalledKitFolder = "d:\\kit";
    f->Load();
    EXPECT_EQ(f->CreatedSoundFolder, "e:\\\\Tarvo_Calls"); // joined as text, root or not
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.drives.readFile("e:\\Tarvo_Calls\\Taps.mp3"), "Taps.mp3");
    EXPECT_EQ(w.drives.readFile("e:\\Tarvo_Calls\\bt2_orig.hd3"),
              w.drives.readFile("d:\\kit\\bt2_orig.mp3"));
    EXPECT_EQ(w.drives.readFile("c:\\0r.txt"), w.drives.readFile("d:\\kit\\0.txt"));
    // The window ends as after any start-up: nothing listed, nothing that needs a folder.
    EXPECT_EQ(f->File2.ListCount(), 0);
    EXPECT_FALSE(f->Command4.Enabled());
}

} // namespace
} // namespace korvane::test
