// What the converter's module hands the program: its four functions, which link libsndfile,
// libsamplerate, libebur128 and LAME. On Linux the program loads the module at its first
// conversion or measurement, so that a start that converts nothing loads none of those
// libraries, nor the codecs they bring.
#pragma once

#include "convert/loudness_meter.h"
#include "convert/pcm.h"

#include <string>
#include <string_view>

namespace korvane {

struct ConverterFunctions {
    Pcm (*decode)(std::string_view bytes);
    Pcm (*resample)(const Pcm& pcm, int rate);
    Loudness (*measure)(const Pcm& pcm, bool truePeak);
    std::string (*encode)(const Pcm& pcm, int kbps);
};

// The name of the module's one entry, a C function returning its functions.
inline constexpr const char* kConverterEntry = "KorvaneConverterFunctions";

} // namespace korvane
