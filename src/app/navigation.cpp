#include "app/navigation.h"

#include "app/form1.h"

namespace korvane {

// The current folder follows a change of drive, not a change of folder.
void Drive1_Change(Form1& f)
{
    f.disk.ChDrive(f.Drive1.Drive());
    f.Dir1.setPath(f.Drive1.Drive());
    f.disk.ChDir(f.Dir1.Path());
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
