// Start-up: runs once as the window loads, before the user can touch anything.
#include "device/capacity.h"
#include "device/layout.h"
#include "events/events.h"
#include "form/form1.h"
#include "sys/errors.h"

namespace korvane {

namespace {
// The status line's banner; six blanks in front, as the status texts have.
constexpr const char* kBanner =
    "      Korvane " KORVANE_VERSION " - playlists and calls for your Tarvo player";
} // namespace

void Form_Load(Form1& f)
{
    f.Text1.setVisible(false);
    f.disk.ChDrive(f.Drive2.Drive());
    f.Dir2.setPath(f.Drive2.Drive());
    f.StartFolder = f.Dir2.Path();
    const std::string probe = f.disk.Probe(f.StartFolder);

    // First run: an empty drive root gets a sound folder filled from the current folder, or
    // from the kit installed with the program for the files the current folder lacks. A
    // failure is reported and start-up goes on, so the window still opens in its usual state.
    if (probe.empty() && !IsSoundFolderPath(f.StartFolder)) {
        const std::string target = f.StartFolder + "\\" + std::string(kSoundFolderName);
        f.CreatedSoundFolder = target;
        try {
            FillNewSoundFolder(f, target, "", f.InstalledKitFolder);
        } catch (const PlatformError& error) {
            MsgBox(f, error.what());
            if (!f.disk.FolderExists(target))
                f.CreatedSoundFolder.clear();
        }
        f.Dir2.Refresh();
    }
    if (!f.CreatedSoundFolder.empty())
        f.Dir2.setPath(f.CreatedSoundFolder);

    f.disk.ChDir(f.Dir2.Path());
    f.File2.setPath(f.Dir2.Path());
    f.File2.setPattern(std::string(kSoundFilesPattern));

    f.SaveArmed = kSaveIdle;
    f.Command8.setEnabled(false);
    f.Command9.setEnabled(false);
    f.File2.setEnabled(true);

    f.Text2.setText(kBanner);
    f.Text2.setFontSize(8);
    f.Text2.setLocked(true);
    f.Text2.setBackColor({SystemColor::ButtonFace, -1});
    f.Text2.setForeColor({SystemColor::ButtonText, -1});

    f.Dir2.setVisible(false);
    f.Drive2.setVisible(false);
    f.Command7.setVisible(false);
    f.Command12.setVisible(false);
    f.SSTab2.setTabCaption("");

    f.FolderConfirmed = kNoFolderYet;
    f.Combo1.setListIndex(0);
    f.List1.Clear();

    f.Dir1.setVisible(false);
    f.Drive1.setVisible(false);
    f.File1.setVisible(false);
    f.Command4.setEnabled(false);
    f.Command5.setEnabled(false);
    f.Command6.setEnabled(false);

    f.File1.setPattern(std::string(kSoundFilesPattern));
    f.File2.setPattern(std::string(kNoFilesPattern));
    f.SSTab2.setVisible(true);

    f.CapacityBytes = kCapacityBytes;
    f.Label4.setCaption("");

    f.Command9.setVisible(false);
    f.Command11.setVisible(false);
    f.Command17.setVisible(false);
    f.Command20.setVisible(false);
    f.Command21.setVisible(false);

    f.UseWorkingCopy = kDeviceCopy;
    f.ProgressBar1.setVisible(false);
    f.Command18.setEnabled(false);
    f.Command2.setEnabled(false);
    f.DeleteAllQuiet = kDeleteAllAsks;
    f.FactoryPrefix = "";
}

} // namespace korvane
