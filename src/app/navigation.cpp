#include "app/navigation.h"

#include "app/form1.h"

namespace korvane {

// The current folder follows a change of drive, not a change of folder.
void Drive1_Change(Form1& f)
{
    ChangeDriveOrGoBack(f, f.Drive1, f.Dir1);
}

void ChangeDriveOrGoBack(Form1& f, DriveListBox& drives, DirListBox& folders)
{
    const char previous = f.disk.CurrentDrive();
    try {
        f.disk.ChDrive(drives.Drive());
        folders.setPath(drives.Drive());
        f.disk.ChDir(folders.Path());
    } catch (...) {
        // A drive without a medium: the drive list goes back to the drive that the folder
        // list still shows, so the two never disagree.
        f.disk.ChDrive(std::string(1, previous));
        drives.showCurrentDrive();
        throw;
    }
}

void Dir1_Change(Form1& f)
{
    f.File1.setPath(f.Dir1.Path());
}

void HideComputerBrowser(Form1& f)
{
    f.Dir1.setVisible(false);
    f.Drive1.setVisible(false);
    f.File1.setVisible(false);
}

} // namespace korvane
