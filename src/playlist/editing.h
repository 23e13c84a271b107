// Editing the rows of the shown playlist.
#pragma once

namespace korvane {

class Form1;

void Command8_Click(Form1& f);  // "<<"
void Command10_Click(Form1& f); // ">>"
void Command15_Click(Form1& f); // "Up"
void Command16_Click(Form1& f); // "Down"

} // namespace korvane
