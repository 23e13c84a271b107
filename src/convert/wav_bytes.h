// Samples written as a 16-bit PCM WAV file: how the replay's scenes and the benchmarks make a
// recording to convert without a recorder.
#pragma once

#include "convert/pcm.h"

#include <string>

namespace korvane {

std::string WavBytes(const Pcm& pcm);

// A sine of hz with its peak at dbfs, the same in every channel.
Pcm Tone(double seconds, double dbfs, double hz, int rate, int channels);

} // namespace korvane
