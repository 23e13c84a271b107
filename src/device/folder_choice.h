// Choosing and confirming the working sound folder.
#pragma once

namespace korvane {

class Form1;

void Command1_Click(Form1& f); // "File"
void Drive2_Change(Form1& f);
void Dir2_Change(Form1& f);
void Command7_Click(Form1& f);  // "Yes"
void Command12_Click(Form1& f); // "Cancel"

} // namespace korvane
