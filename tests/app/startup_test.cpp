// Start-up: where the window starts, and the first run that makes a sound folder.
#include "support/window_harness.h"

#include "device/layout.h"
#include "events/events.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

TEST(StartUp, AStartFolderNamedTarvoCallsIsTakenAsItIsAndNothingIsMade)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\kit\\Tarvo_Calls");
    Form1& f = w.start("d:\\kit\\Tarvo_Calls");
    EXPECT_EQ(f.StartFolder, "d:\\kit\\Tarvo_Calls");
    EXPECT_EQ(f.CreatedSoundFolder, "");
    EXPECT_EQ(f.File2.Path(), "d:\\kit\\Tarvo_Calls");
    EXPECT_EQ(f.File2.Pattern(), "*.tymdhms");
    EXPECT_EQ(f.File2.ListCount(), 0);
    EXPECT_FALSE(w.drives.exists("c:\\0r.txt"));
}

TEST(StartUp, AStartFolderHoldingASoundFolderStepsIntoIt)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\work\\Tarvo_Calls");
    Form1& f = w.start("d:\\work");
    EXPECT_EQ(f.StartFolder, "d:\\work\\Tarvo_Calls");
    EXPECT_EQ(f.CreatedSoundFolder, "");
    EXPECT_EQ(w.disk.CurDir('d'), "d:\\work\\Tarvo_Calls");
    EXPECT_TRUE(w.boxes.shown.empty());
}

TEST(StartUp, AnOrdinaryFolderWithTheFactoryFilesCreatesNothing)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\kit");
    Form1& f = w.start("d:\\kit");
    EXPECT_EQ(f.StartFolder, "d:\\kit");
    EXPECT_EQ(f.CreatedSoundFolder, "");
    EXPECT_FALSE(w.drives.exists("d:\\kit\\Tarvo_Calls"));
    EXPECT_FALSE(w.drives.exists("c:\\0r.txt"));
    // Slot 0 was loaded while nothing was confirmed: no file listed, so no row, no message.
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_TRUE(w.boxes.shown.empty());
}

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

TEST(StartUp, FirstRunWithoutFactoryFilesReportsItAndStillOpensTheWindow)
{
    WindowHarness w("cde");
    Form1& f = w.start("e:\\");
    // The failed fill, then the loading of slot 0 that finds no playlist in the new folder.
    ASSERT_EQ(w.boxes.shown.size(), 2u);
    EXPECT_EQ(w.boxes.shown[0].prompt,
              "Could not fill \"e:\\Tarvo_Calls\": no factory file was found in \"e:\\\"");
    EXPECT_EQ(w.boxes.shown[0].title, "Korvane");
    EXPECT_EQ(w.boxes.shown[1].prompt, "Play List0 not existed ! Will establish automatically.");
    // The folder was made, so it is what the window shows; the rest of start-up ran.
    EXPECT_EQ(f.CreatedSoundFolder, "e:\\\\Tarvo_Calls");
    EXPECT_FALSE(f.Dir2.Visible());
    EXPECT_FALSE(f.Command18.Enabled());
    EXPECT_EQ(f.CapacityBytes, 104857600);
}

TEST(StartUp, LeavesTheWindowWaitingForAConfirmedFolder)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\kit");
    Form1& f = w.start("d:\\kit");
    for (Control* c : {static_cast<Control*>(&f.Command1), static_cast<Control*>(&f.Command14),
                       static_cast<Control*>(&f.Command19), static_cast<Control*>(&f.Command13),
                       static_cast<Control*>(&f.Combo1), static_cast<Control*>(&f.List1),
                       static_cast<Control*>(&f.Command10), static_cast<Control*>(&f.Command15),
                       static_cast<Control*>(&f.Command16), static_cast<Control*>(&f.File2)})
        EXPECT_TRUE(c->Visible() && c->Enabled()) << c->name();
    for (Control* c :
         {&f.Command8, &f.Command4, &f.Command5, &f.Command6, &f.Command18, &f.Command2})
        EXPECT_TRUE(c->Visible() && !c->Enabled()) << c->name();
    for (Control* c : std::initializer_list<Control*>{
             &f.Text1, &f.Drive1, &f.Dir1, &f.File1, &f.Drive2, &f.Dir2, &f.Command7, &f.Command12,
             &f.Command9, &f.Command11, &f.Command17, &f.Command20, &f.Command21, &f.ProgressBar1})
        EXPECT_FALSE(c->Visible()) << c->name();
    EXPECT_FALSE(f.Command9.Enabled());
    EXPECT_EQ(f.Combo1.ListIndex(), 0);
    EXPECT_EQ(f.SSTab2.TabCaption(), "");
    EXPECT_EQ(f.Label4.Caption(), "");
    EXPECT_TRUE(f.Text2.Locked());
    EXPECT_EQ(f.Text2.Text().rfind("      Korvane", 0), 0u);
    EXPECT_EQ(f.Caption(), "Korvane Software");
}

} // namespace
} // namespace korvane::test
