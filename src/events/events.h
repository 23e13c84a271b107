// Which handler each control event runs: one table.
#pragma once

namespace korvane {

class Form1;

void Form_Load(Form1& f);
void WireEvents(Form1& f);

} // namespace korvane
