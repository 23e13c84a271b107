// Loudness figures as Korvane writes them: one decimal, "-inf" for silence.
#pragma once

#include "convert/loudness_meter.h"

#include <string>

namespace korvane {

// "-23.4"
std::string LoudnessFigure(double decibels);
// "Loudness -16.0 LUFS, true peak -1.2 dBTP", the line a call's tooltip shows.
std::string LoudnessLine(const Loudness& loudness);

} // namespace korvane
