// Start-up's first run on an empty root fills the new sound folder from the kit installed with
// the program; where the window starts and its state after start-up are scenario scripts.
#include "support/window_harness.h"

#include "device/layout.h"
#include "events/events.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

TEST(StartUp, FirstRunOnAnEmptyRootMakesAndFillsTheSoundFolder)
{
    WindowHarness w("cde");
    WriteKit(w.drives, "d:\\kit");
    w.disk.ChDrive("d");
    w.disk.ChDir("d:\\kit"); // the kit stands somewhere the program knows of
    Form1* f = nullptr;
    {
        w.disk.ChDrive("e");
        w.disk.ChDir("e:\\");
        auto form = std::make_unique<Form1>(w.disk, w.boxes, w.picker, w.pump, WireEvents);
        form->InstalledKitFolder = "d:\\kit";
        form->Load();
        f = form.release();
    }
    std::unique_ptr<Form1> owner(f);
    EXPECT_EQ(f->StartFolder, "e:\\");
    EXPECT_EQ(f->CreatedSoundFolder, "e:\\\\Tarvo_Calls"); // joined as text, root or not
    EXPECT_TRUE(w.boxes.shown.empty());

    // 24 files: nine calls, ten playlists, three companions, two extra recordings.
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(w.drives.hostPath("e/Tarvo_Calls")))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 24);
    EXPECT_EQ(w.drives.readFile("e:\\Tarvo_Calls\\bt1_orig.hd3"),
              w.drives.readFile("d:\\kit\\bt1_orig.mp3"));
    EXPECT_EQ(w.drives.readFile("e:\\Tarvo_Calls\\bt2_orig.hd3"),
              w.drives.readFile("d:\\kit\\bt2_orig.mp3"));
    EXPECT_EQ(w.drives.readFile("c:\\0r.txt"), w.drives.readFile("d:\\kit\\0.txt"));
    EXPECT_TRUE(w.drives.exists("c:\\9r.txt"));
    // The window ends as after any start-up: nothing listed, nothing that needs a folder.
    EXPECT_EQ(f->File2.ListCount(), 0);
    EXPECT_FALSE(f->Command4.Enabled());
}

} // namespace
} // namespace korvane::test
