#include "device/folder_choice.h"

#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_loading.h"
#include "form/form1.h"
#include "form/navigation.h"

namespace korvane {

// "File": shows the drive and folder lists so the user can choose the sound folder.
void Command1_Click(Form1& f)
{
    f.Dir2.setVisible(true);
    f.Drive2.setVisible(true);
    f.Command18.setEnabled(false);
    f.Label4.setCaption("");
    if (f.FolderConfirmed == kFolderConfirmed && f.NewFolderMark == kNewFolderMark) {
        f.Dir2.setPath(f.SoundFolderPath);
        f.Dir2.Refresh();
    }
    f.File2.setPattern(std::string(kSoundFilesPattern));
    f.Command1.setCaption("Open");
    f.Command7.setVisible(true);
    f.Command12.setVisible(true);
    f.Command4.setEnabled(false);
    f.Command5.setEnabled(false);
    f.Command6.setEnabled(false);
    f.DeleteAllQuiet = kDeleteAllAsks;
}

void Drive2_Change(Form1& f)
{
    ChangeDriveOrGoBack(f, f.Drive2, f.Dir2);
    // "Yes" only for c:, d:, e: or an entry that carries a label; nothing else switches it.
    const std::string& entry = f.Drive2.Drive();
    f.Command7.setEnabled(entry == "c:" || entry == "d:" || entry == "e:" || entry.size() > 2);
}

// The folder list never rests on a folder that holds a sound folder: it steps into it.
void Dir2_Change(Form1& f)
{
    f.File2.setPath(f.Dir2.Path());
    if (IsSoundFolderPath(f.Dir2.Path()))
        return;
    f.CandidateFolder = SoundFolderInside(f.Dir2.Path());
    if (!f.disk.Probe(f.CandidateFolder).empty()) {
        f.Dir2.setPath(f.CandidateFolder);
        f.Dir2.Refresh();
    }
}

// "Yes": confirms the folder shown, or creates and fills a sound folder inside it.
void Command7_Click(Form1& f)
{
    f.Command18.setEnabled(true);
    f.Command2.setEnabled(true);
    f.File2.setPattern(std::string(kSoundFilesPattern));
    f.Command1.setCaption("Open");
    f.Command7.setVisible(true);
    f.Command12.setVisible(true);
    f.FolderConfirmed = kFolderConfirmed;

    if (f.CreatedSoundFolder == f.Dir2.Path()) {
        f.SoundFolderPath = f.CreatedSoundFolder;
    } else {
        f.SoundFolderPath = SoundFolderInside(f.Dir2.Path());
        f.DirResult = f.disk.Probe(f.SoundFolderPath);
        if (!IsSoundFolderPath(f.Dir2.Path()) && f.DirResult.empty()) {
            try {
                FillNewSoundFolder(f, f.SoundFolderPath, FactoryFolderPrefix(f));
            } catch (const MissingFactoryFiles& missing) {
                // The folder holds every factory file there was: it is confirmed all the same.
                MsgBox(f, missing.what());
            }
            f.NewFolderMark = kNewFolderMark;
        } else {
            f.SoundFolderPath = f.Dir2.Path();
            f.Dir2.Refresh();
            f.ExistingFolderMark = kExistingFolderMark;
        }
    }

    f.setCaption(kApplicationTitle);
    f.Command4.setEnabled(true);
    f.LineMatched = kLoadStarted;
    for (CommandButton* b : {&f.Command8, &f.Command9, &f.Command17, &f.Command11, &f.Command10})
        b->setEnabled(true);
    f.Dir2.setVisible(false);
    f.Drive2.setVisible(false);
    f.File2.setPattern(std::string(kSoundFilesPattern));
    f.File2.setPath(f.SoundFolderPath);
    f.Command6.setEnabled(true);
    f.Command5.setEnabled(true);
    if (f.UseWorkingCopy == kWorkingCopy)
        f.UseWorkingCopy = kDeviceCopy;

    // Always the device copy of the selected slot, whatever UseWorkingCopy was.
    const int slot = f.Combo1.ListIndex();
    LoadPlaylistFile(f, slot, f.File2.Path() + "\\" + PlaylistName(slot), true);
    RefreshFreeSpace(f);

    f.Command7.setVisible(false);
    f.Command12.setVisible(false);
    f.Command1.setCaption("FILE");
}

// "Cancel": ends the folder choice (or the source choice of Add). Once a folder has been
// confirmed it confirms the folder now shown instead, so the window never rests without one.
void Command12_Click(Form1& f)
{
    if (!f.Command4.Enabled()) {
        f.Dir2.setVisible(false);
        f.Drive2.setVisible(false);
        f.File2.setPattern(std::string(kNoFilesPattern));
        f.Command1.setCaption("FILE");
        f.Command7.setVisible(false);
        f.Command12.setVisible(false);
        if (f.FolderConfirmed == kFolderConfirmed || f.ExistingFolderMark == kExistingFolderMark ||
            f.NewFolderMark == kNewFolderMark) {
            f.Dir1.setVisible(false);
            f.Drive1.setVisible(false);
            Command7_Click(f);
        } else {
            f.List1.Clear();
            f.Label4.setCaption("");
            f.FolderConfirmed = kFolderChoiceCancelled;
        }
    }
    if (f.Command4.Enabled()) {
        f.Dir1.setVisible(false);
        f.Drive1.setVisible(false);
        f.Command1.setCaption("FILE");
        f.Command7.setVisible(false);
        f.Command12.setVisible(false);
        f.Command5.setEnabled(true);
        f.Command6.setEnabled(true);
        f.File1.setVisible(false);
        f.FolderConfirmed = kFolderChoiceCancelled;
        f.File1.Refresh();
    }
}

} // namespace korvane
