// Ending the program and the About box.
#pragma once

namespace korvane {

class Form1;

void Command13_Click(Form1& f); // "Exit"
void Command19_Click(Form1& f); // "About"

} // namespace korvane
