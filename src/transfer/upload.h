// Copying the sound folder to the device.
#pragma once

#include <cstddef>
#include <string>

namespace korvane {

class Form1;
struct UploadOutcome;

// The message of an upload that did not complete: why, and what the player holds now.
std::string UploadEndMessage(const UploadOutcome& outcome);

void Command18_Click(Form1& f); // "Upload"
void Stop_Click(Form1& f);      // Stop, beside the bar while an upload copies

} // namespace korvane
