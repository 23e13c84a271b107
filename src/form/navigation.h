// The computer-side drive, folder and file lists kept in step.
#pragma once

namespace korvane {

class Form1;
class DriveListBox;
class DirListBox;

void Drive1_Change(Form1& f);
void Dir1_Change(Form1& f);

// Makes the chosen drive current and shows its current folder. On a failure the drive list
// and the current drive follow the folder list (a drive that cannot be read leaves both lists
// and the current drive as they were), and the failure goes on up.
void ChangeDriveOrGoBack(Form1& f, DriveListBox& drives, DirListBox& folders);

// Hides the computer-side drive, folder and file lists together.
void HideComputerBrowser(Form1& f);

} // namespace korvane
