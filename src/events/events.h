// Which handler each control event runs: one table.
#pragma once

namespace korvane {

class Form1;

void Form_Load(Form1& f);
// Form1 is built with it, and the window's load runs Form_Load:
// `Form1 form(disk, boxes, picker, pump, WireEvents);`.
void WireEvents(Form1& f);

} // namespace korvane
