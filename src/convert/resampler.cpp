#include "convert/resampler.h"

#include "convert/conversion_refused.h"

#include <samplerate.h>

#include <cmath>

namespace korvane {

Pcm Resampled(const Pcm& pcm, int rate)
{
    if (pcm.rate == rate)
        return pcm;
    Pcm out;
    out.rate = rate;
    out.channels = pcm.channels;
    const double ratio = double(rate) / pcm.rate;
    const long inFrames = long(pcm.frames());
    const long outFrames = long(std::lround(inFrames * ratio));
    out.samples.resize(std::size_t(outFrames) * pcm.channels);
    SRC_DATA data{};
    data.data_in = pcm.samples.data();
    data.data_out = out.samples.data();
    data.input_frames = inFrames;
    data.output_frames = outFrames;
    data.src_ratio = ratio;
    // The fastest of the band-limited converters: its pass band reaches past what the
    // player's rate keeps, at a fraction of the better ones' cost.
    if (const int error = src_simple(&data, SRC_SINC_FASTEST, pcm.channels))
        throw ConversionRefused(std::string("resampling failed: ") + src_strerror(error));
    out.samples.resize(std::size_t(data.output_frames_gen) * pcm.channels);
    return out;
}

} // namespace korvane
