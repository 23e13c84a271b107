// EBU R128 loudness of sound, measured with libebur128: the integrated loudness (LUFS) and the
// true peak (dBTP, the peak between samples as a player's converter makes it).
#pragma once

#include "convert/pcm.h"

namespace korvane {

struct Loudness {
    double integrated = 0; // LUFS; -infinity for silence
    double truePeak = 0;   // dBTP; -infinity for silence
};

// Without truePeak, only the integrated loudness is measured (the true peak, which takes most
// of the time, is then -infinity).
Loudness MeasureLoudness(const Pcm& pcm, bool truePeak = true);

} // namespace korvane
