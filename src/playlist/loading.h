// Choosing a playlist in Combo1 loads it into List1.
#pragma once

namespace korvane {

class Form1;

void Combo1_Click(Form1& f);

} // namespace korvane
