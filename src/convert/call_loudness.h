// The loudness of a call (or any recording) held in memory, for its tooltip and `show
// loudness`; or that it holds no sound the decoder can read.
#pragma once

#include "convert/loudness_meter.h"

#include <string>
#include <string_view>

namespace korvane {

struct CallLoudness {
    bool audio = false;
    Loudness loudness;
    std::string problem; // why there is no figure, when there is none
};

CallLoudness MeasureCallLoudness(std::string_view bytes);

} // namespace korvane
