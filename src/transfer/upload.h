// Copying the sound folder to the device.
#pragma once

namespace korvane {

class Form1;

void Command18_Click(Form1& f); // "Upload"

} // namespace korvane
