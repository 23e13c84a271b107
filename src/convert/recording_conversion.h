// A recording converted to the player's form: decoded, mixed to mono, brought to the form's
// rate, evened out in loudness (unless asked not to) and encoded. Works on bytes in memory,
// so it can run on any thread.
#pragma once

#include "convert/loudness_meter.h"

#include <string>
#include <string_view>

namespace korvane {

struct Conversion {
    std::string mp3;     // the bytes of the converted call
    Loudness source;     // the recording's own integrated loudness, as `show loudness` tells it
    double gain = 0;     // decibels applied to even it out
    bool evened = false; // whether evening out was asked for
};

// Throws ConversionRefused with the reason when the recording cannot be read.
Conversion ConvertRecording(std::string_view bytes, bool evenOut = true);

// "evened out from -23.4 LUFS", or why the loudness was left as it was; "" when not asked.
std::string EvenedOutNote(const Conversion& conversion);

} // namespace korvane
