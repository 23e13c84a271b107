// Converting and measuring recordings, against the time real time allows: converting a 60 s
// WAV must take at most a fiftieth of its length, measuring the loudness of 1,000 calls of
// 10 s each at most a two-hundredth of theirs. The baseline is that budget, not a program.
#include "rows.h"

#include "convert/call_loudness.h"
#include "convert/recording_conversion.h"
#include "convert/recording_decoder.h"
#include "convert/wav_bytes.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>

namespace korvane::bench {

namespace {

constexpr int kRounds = 5;
constexpr double kWavSeconds = 60;
constexpr int kCalls = 1000;
constexpr double kCallSeconds = 10;

// A voice-like recording off a recorder: CD rate, stereo, a tone that swells and fades over a
// hiss, so that no step can take a shortcut on silence or a pure sine.
Pcm Recording(double seconds, int rate, int channels)
{
    Pcm pcm = Tone(seconds, -18, 330, rate, channels);
    unsigned noise = 1;
    for (std::size_t frame = 0; frame < pcm.frames(); ++frame) {
        const double t = double(frame) / rate;
        const double swell = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 0.7 * t);
        for (int channel = 0; channel < channels; ++channel) {
            noise = noise * 1664525u + 1013904223u;
            float& sample = pcm.samples[frame * channels + channel];
            sample = float(sample * swell + (double(noise >> 8) / (1 << 24) - 0.5) * 0.01);
        }
    }
    return pcm;
}

} // namespace

std::vector<Row> ConvertRows()
{
    if (!ConverterBuilt())
        throw std::runtime_error("this build has no converter");
    const std::string wav = WavBytes(Recording(kWavSeconds, 44100, 2));
    // The calls as the player keeps them: converted, in its MP3 form.
    const std::string call = ConvertRecording(WavBytes(Recording(kCallSeconds, 44100, 1))).mp3;
    std::size_t bytes = 0;
    const double converting =
        MedianMilliseconds(kRounds, [&] { bytes += ConvertRecording(wav).mp3.size(); });
    TempFolder folder;
    std::vector<std::string> files;
    for (int i = 0; i < kCalls; ++i) {
        files.push_back(folder.path() + "/call" + std::to_string(i) + ".mp3");
        std::ofstream(files.back(), std::ios::binary) << call;
    }
    double loudness = 0;
    const double measuring = MedianMilliseconds(3, [&] {
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            loudness += MeasureCallLoudness(bytes).loudness.integrated;
        }
    });
    if (bytes == 0 || !std::isfinite(loudness))
        throw std::runtime_error("nothing was converted or measured");
    return {
        {"converting a 60 s WAV (44.1 kHz stereo)", "ConvertRecording", converting, "60 s / 50",
         kWavSeconds * 1000 / 50, "ms", 1.0},
        {"loudness of 1,000 calls of 10 s (MP3)", "MeasureCallLoudness", measuring,
         "10,000 s / 200", kCalls * kCallSeconds * 1000 / 200, "ms", 1.0},
    };
}

} // namespace korvane::bench
