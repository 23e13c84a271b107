// Editing the rows of the shown playlist.
#pragma once

#include <string>

namespace korvane {

class Form1;

// Why "<<" refuses a sound file whose name the playlist's code page cannot hold.
std::string UnplayableNameMessage(const std::string& name);

void Command8_Click(Form1& f);  // "<<"
void Command10_Click(Form1& f); // ">>"
void Command15_Click(Form1& f); // "Up"
void Command16_Click(Form1& f); // "Down"

} // namespace korvane
