// Adding a sound file to the sound folder within the capacity.
#pragma once

namespace korvane {

class Form1;

void Command4_Click(Form1& f); // "Add"

} // namespace korvane
