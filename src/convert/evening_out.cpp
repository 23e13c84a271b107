#include "convert/evening_out.h"

#include <algorithm>
#include <cmath>

namespace korvane {

double EvenOutGain(const Loudness& measured, const LoudnessTarget& target)
{
    if (!std::isfinite(measured.integrated))
        return 0;
    double gain = target.integrated - measured.integrated;
    if (std::isfinite(measured.truePeak))
        gain = std::min(gain, target.truePeak - measured.truePeak);
    return gain;
}

} // namespace korvane
