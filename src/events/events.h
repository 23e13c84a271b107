// Which handler each event of the window runs: one table, above every handler. Form1 is built
// with WireEvents: `Form1 form(disk, boxes, picker, pump, WireEvents);`.
#pragma once

namespace korvane {

class Form1;

void Form_Load(Form1& f);
// Connects the load of the window and every control event to its handler.
void WireEvents(Form1& f);

} // namespace korvane
