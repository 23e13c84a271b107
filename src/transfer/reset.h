// Putting the factory content back.
#pragma once

namespace korvane {

class Form1;

void Command2_Click(Form1& f); // "Reset"

} // namespace korvane
