#include "convert/loudness_text.h"

#include <cmath>
#include <cstdio>

namespace korvane {

std::string LoudnessFigure(double decibels)
{
    if (!std::isfinite(decibels))
        return "-inf";
    char text[32];
    // Rounded to a tenth, with no "-0.0".
    const double tenths = std::round(decibels * 10) / 10;
    std::snprintf(text, sizeof text, "%.1f", tenths == 0 ? 0.0 : tenths);
    return text;
}

std::string LoudnessLine(const Loudness& loudness)
{
    return "Loudness " + LoudnessFigure(loudness.integrated) + " LUFS, true peak " +
           LoudnessFigure(loudness.truePeak) + " dBTP";
}

} // namespace korvane
