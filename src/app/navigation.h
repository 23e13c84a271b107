// The computer-side drive, folder and file lists kept in step.
#pragma once

namespace korvane {

class Form1;

void Drive1_Change(Form1& f);
void Dir1_Change(Form1& f);

// Hides the computer-side drive, folder and file lists together.
void HideComputerBrowser(Form1& f);

} // namespace korvane
