#include "convert/pcm.h"

#include <cmath>

namespace korvane {

Pcm MixedToMono(const Pcm& pcm)
{
    if (pcm.channels == 1)
        return pcm;
    Pcm mono;
    mono.rate = pcm.rate;
    mono.channels = 1;
    const std::size_t frames = pcm.frames();
    mono.samples.resize(frames);
    const float share = 1.0f / float(pcm.channels);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        float sum = 0;
        for (int channel = 0; channel < pcm.channels; ++channel)
            sum += pcm.samples[frame * pcm.channels + channel];
        mono.samples[frame] = sum * share;
    }
    return mono;
}

void ApplyGain(Pcm& pcm, double decibels)
{
    const float factor = float(std::pow(10.0, decibels / 20.0));
    for (float& sample : pcm.samples)
        sample *= factor;
}

} // namespace korvane
