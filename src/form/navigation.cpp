#include "form/navigation.h"

#include "form/form1.h"

#include <cctype>

namespace korvane {

// The current folder follows a change of drive, not a change of folder.
void Drive1_Change(Form1& f)
{
    ChangeDriveOrGoBack(f, f.Drive1, f.Dir1);
}

namespace {

// The drive of the folder the list shows ("d:\kit" is on d:); the fallback while it shows
// none of a known drive.
char DriveShownBy(const Form1& f, const DirListBox& folders, char fallback)
{
    const std::string& path = folders.Path();
    if (path.size() < 2 || path[1] != ':')
        return fallback;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    return f.disk.HasDrive(letter) ? letter : fallback;
}

} // namespace

void ChangeDriveOrGoBack(Form1& f, DriveListBox& drives, DirListBox& folders)
{
    const char previous = f.disk.CurrentDrive();
    try {
        f.disk.ChDrive(drives.Drive());
        folders.setPath(drives.Drive());
        f.disk.ChDir(folders.Path());
    } catch (...) {
        // The drive list and the current drive follow the folder list, so the two lists never
        // disagree: a drive that cannot be read leaves the folder list, and so both, on the
        // drive before; a drive whose folder opened before a later step failed (a sound folder
        // inside that cannot be read) keeps the new drive the folder list now shows.
        f.disk.ChDrive(std::string(1, DriveShownBy(f, folders, previous)));
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
