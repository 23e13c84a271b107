// Which handler each control event runs: one table.
// Form1 is built with it: `Form1 form(disk, boxes, picker, pump, WireEvents);`.
#pragma once

namespace korvane {

class Form1;

void Form_Load(Form1& f);
void WireEvents(Form1& f); // the load of the window too: it runs Form_Load

} // namespace korvane
