// Deleting one or all sound files with their playlist entries.
#pragma once

namespace korvane {

class Form1;

void Command5_Click(Form1& f); // "Delete"
void Command6_Click(Form1& f); // "Delete All"

} // namespace korvane
