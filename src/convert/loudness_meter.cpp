#include "convert/loudness_meter.h"

#include "convert/conversion_refused.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace korvane {

namespace {

struct DestroyMeter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

double Decibels(double ratio)
{
    return ratio > 0 ? 20 * std::log10(ratio) : -std::numeric_limits<double>::infinity();
}

} // namespace

Loudness MeasureLoudness(const Pcm& pcm, bool truePeak)
{
    const std::unique_ptr<ebur128_state, DestroyMeter> meter(
        ebur128_init(unsigned(pcm.channels), static_cast<unsigned long>(pcm.rate),
                     EBUR128_MODE_I | (truePeak ? EBUR128_MODE_TRUE_PEAK : 0)));
    if (!meter)
        throw ConversionRefused("cannot measure the loudness of this recording");
    // In blocks, so the meter's own buffers stay small.
    constexpr std::size_t kBlockFrames = 1 << 16;
    const std::size_t frames = pcm.frames();
    for (std::size_t at = 0; at < frames; at += kBlockFrames) {
        const std::size_t count = std::min(kBlockFrames, frames - at);
        if (ebur128_add_frames_float(meter.get(), pcm.samples.data() + at * pcm.channels, count) !=
            EBUR128_SUCCESS)
            throw ConversionRefused("cannot measure the loudness of this recording");
    }
    Loudness loudness;
    double integrated = 0;
    ebur128_loudness_global(meter.get(), &integrated);
    // libebur128 says -HUGE_VAL for silence, or for sound shorter than one 400 ms block.
    loudness.integrated =
        std::isfinite(integrated) ? integrated : -std::numeric_limits<double>::infinity();
    double peak = 0;
    for (int channel = 0; truePeak && channel < pcm.channels; ++channel) {
        double channelPeak = 0;
        ebur128_true_peak(meter.get(), unsigned(channel), &channelPeak);
        peak = std::max(peak, channelPeak);
    }
    loudness.truePeak = Decibels(peak);
    return loudness;
}

} // namespace korvane
