// Copying the sound folder to the device.
#pragma once

#include <cstddef>
#include <string>

namespace korvane {

class Form1;
class PlatformError;

// The message of an upload that failed part-way: the failure, and how many files were copied.
std::string UploadStoppedMessage(const PlatformError& error, std::size_t filesCopied,
                                 const std::string& destination);

void Command18_Click(Form1& f); // "Upload"

} // namespace korvane
