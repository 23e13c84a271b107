#include "convert/wav_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace korvane {

namespace {

void Little(std::string& out, std::uint32_t value, int bytes)
{
    for (int at = 0; at < bytes; ++at)
        out.push_back(char((value >> (8 * at)) & 0xff));
}

} // namespace

std::string WavBytes(const Pcm& pcm)
{
    const auto data = std::uint32_t(pcm.samples.size() * 2);
    const auto channels = std::uint32_t(pcm.channels);
    std::string wav = "RIFF";
    wav.reserve(44 + data);
    Little(wav, 36 + data, 4);
    wav += "WAVEfmt ";
    Little(wav, 16, 4);
    Little(wav, 1, 2); // PCM
    Little(wav, channels, 2);
    Little(wav, std::uint32_t(pcm.rate), 4);
    Little(wav, std::uint32_t(pcm.rate) * channels * 2, 4);
    Little(wav, channels * 2, 2);
    Little(wav, 16, 2);
    wav += "data";
    Little(wav, data, 4);
    for (const float sample : pcm.samples) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        Little(wav, std::uint32_t(std::int16_t(value)) & 0xffff, 2);
    }
    return wav;
}

Pcm Tone(double seconds, double dbfs, double hz, int rate, int channels)
{
    Pcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    const auto frames = std::size_t(std::lround(seconds * rate));
    pcm.samples.resize(frames * std::size_t(channels));
    const double peak = std::pow(10.0, dbfs / 20);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const auto sample =
            float(peak * std::sin(2 * std::numbers::pi * hz * double(frame) / rate));
        std::fill_n(pcm.samples.begin() + std::ptrdiff_t(frame * channels), channels, sample);
    }
    return pcm;
}

} // namespace korvane
