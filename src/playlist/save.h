// Writing the shown playlist to the sound folder.
#pragma once

namespace korvane {

class Form1;

void Command14_Click(Form1& f); // "Save"

} // namespace korvane
