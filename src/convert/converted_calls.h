// Where converted calls go: Korvane's own folder "c:\Converted", one NAME.mp3 per recording,
// written through the disk layer like every other file.
#pragma once

#include "convert/recording_conversion.h"
#include "disk/disk.h"

#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::string_view kConvertedFolder = "c:\\Converted";

// "c:\Converted\NAME.mp3" for the recording "d:\calls\NAME.wav".
std::string ConvertedPathOf(std::string_view source);

// Writes the converted call to path, making the folder first when it is missing.
void SaveConverted(Disk& disk, const std::string& path, const std::string& mp3);

struct ConvertedCall {
    std::string path; // Windows path of the converted call
    Conversion conversion;
};

// Reads, converts and saves in one go (the replay's picker; the window's splits the steps so
// the conversion runs off its thread). Throws ConversionRefused or PlatformError.
ConvertedCall ConvertCall(Disk& disk, const std::string& source, bool evenOut = true);

} // namespace korvane
