// Decoded sound in memory: interleaved float samples in [-1, 1] at one rate, and the one
// operation every step of a conversion shares, mixing down to one channel.
#pragma once

#include <cstddef>
#include <vector>

namespace korvane {

struct Pcm {
    int rate = 0; // Hz
    int channels = 0;
    std::vector<float> samples; // frame after frame, each with one sample per channel

    std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
    double seconds() const { return rate > 0 ? double(frames()) / rate : 0; }
};

// The channels averaged into one, as a mono player would sound a stereo recording.
Pcm MixedToMono(const Pcm& pcm);

// Every sample scaled by gain decibels.
void ApplyGain(Pcm& pcm, double decibels);

} // namespace korvane
