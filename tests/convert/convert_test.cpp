// Recordings made here (tones written with libsndfile) converted to the player's form: its
// format, its length, its loudness; and what cannot be converted, refused with the reason.
#include "calls/call_info.h"
#include "convert/call_loudness.h"
#include "convert/conversion_refused.h"
#include "convert/converted_calls.h"
#include "convert/evening_out.h"
#include "convert/loudness_text.h"
#include "convert/recording_conversion.h"
#include "convert/wav_bytes.h"
#include "support/temp_drives.h"
#include "sys/errors.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace korvane {
namespace {

struct Recording {
    int format;
    int rate;
    int channels;
    double seconds;
    double peakDbfs;
};

// Two tones that come and go, like a voice or a bugle, written in the recording's format.
std::string Made(const test::TempDrives& drives, const Recording& r)
{
    const std::string path = drives.hostPath("d/recording");
    SF_INFO info{};
    info.samplerate = r.rate;
    info.channels = r.channels;
    info.format = r.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(sf_strerror(nullptr));
    const auto frames = std::size_t(r.seconds * r.rate);
    std::vector<float> samples(frames * std::size_t(r.channels));
    const double peak = std::pow(10.0, r.peakDbfs / 20);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const double t = double(frame) / r.rate;
        const double swell = 0.6 + 0.4 * std::sin(2 * std::numbers::pi * 1.5 * t);
        const double sound = swell * (0.6 * std::sin(2 * std::numbers::pi * 440 * t) +
                                      0.4 * std::sin(2 * std::numbers::pi * 1320 * t));
        for (int channel = 0; channel < r.channels; ++channel)
            samples[frame * r.channels + channel] = float(peak * sound);
    }
    sf_writef_float(file, samples.data(), sf_count_t(frames));
    sf_close(file);
    return drives.readFile("d/recording");
}

TEST(Conversion, RecordingsOfEveryKindBecomeThePlayersMp3AtOneLoudnessAndTheirLength)
{
    const test::TempDrives drives;
    const Recording recordings[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 4.0, -30}, // quiet: raised
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 1, 3.0, -3}, // loud: lowered
        {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 32000, 2, 2.5, -12},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 22050, 1, 1.2, -20}, // already at the player's rate
        {SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 1, 2.0, -24},
        {SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2, 3.0, -10}, // an MP3 of another form
    };
    for (const Recording& recording : recordings) {
        SCOPED_TRACE(recording.format);
        const std::string source = Made(drives, recording);
        const CallLoudness before = MeasureCallLoudness(source);
        ASSERT_TRUE(before.audio) << before.problem;

        const Conversion conversion = ConvertRecording(source);
        EXPECT_NEAR(conversion.source.integrated, before.loudness.integrated, 1e-9);
        EXPECT_EQ(EvenedOutNote(conversion),
                  "evened out from " + LoudnessFigure(before.loudness.integrated) + " LUFS");

        const CallInfo info = ReadCallInfoFromBytes(conversion.mp3);
        ASSERT_EQ(info.kind, CallInfo::Kind::Audio);
        EXPECT_EQ(info.kbps, 64);
        EXPECT_EQ(info.rate, 22050);
        EXPECT_EQ(info.channels, 1);
        EXPECT_NEAR(info.seconds, recording.seconds, 0.05);

        const CallLoudness after = MeasureCallLoudness(conversion.mp3);
        ASSERT_TRUE(after.audio) << after.problem;
        EXPECT_NEAR(after.loudness.integrated, -16, 0.5);
        EXPECT_LE(after.loudness.truePeak, -1);
    }
}

TEST(Conversion, AHighPeakLimitsTheGainAndNothingIsCompressed)
{
    // Quiet on the whole but with a sharp peak: raising it to the target would clip.
    EXPECT_DOUBLE_EQ(EvenOutGain({-30, -3}, kLoudnessTarget), 2);
    EXPECT_DOUBLE_EQ(EvenOutGain({-30, -20}, kLoudnessTarget), 14);
    EXPECT_DOUBLE_EQ(EvenOutGain({-8, -0.5}, kLoudnessTarget), -8);
    // Silence has no loudness to even out.
    EXPECT_EQ(EvenOutGain({-INFINITY, -INFINITY}, kLoudnessTarget), 0);

    // A quiet tone with a full-scale click every half second: the clicks set the gain.
    Pcm clicks = Tone(3, -40, 440, 44100, 1);
    for (std::size_t at = 0; at < clicks.samples.size(); at += 22050)
        clicks.samples[at] = 1.0f;
    const Conversion clicked = ConvertRecording(WavBytes(clicks));
    const CallLoudness after = MeasureCallLoudness(clicked.mp3);
    EXPECT_LE(after.loudness.truePeak, -1);
    EXPECT_LT(after.loudness.integrated, -20) << "raised only as far as the clicks allow";
    EXPECT_GT(clicked.gain, 0);

    const test::TempDrives drives;
    const std::string silence = Made(drives, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 1, -200});
    const Conversion quiet = ConvertRecording(silence);
    EXPECT_EQ(EvenedOutNote(quiet), "silent: loudness left as it was");
    EXPECT_EQ(ReadCallInfoFromBytes(quiet.mp3).kind, CallInfo::Kind::Audio);
    EXPECT_EQ(EvenedOutNote(ConvertRecording(silence, false)), "");
}

TEST(Conversion, WhatIsNoRecordingIsRefusedWithItsReason)
{
    const auto refusal = [](std::string_view bytes) {
        try {
            ConvertRecording(bytes);
        } catch (const ConversionRefused& refused) {
            return std::string(refused.what());
        }
        return std::string("converted");
    };
    EXPECT_EQ(refusal(""), "the file is empty");
    EXPECT_EQ(refusal("Taps.mp3"),
              "not a recording Korvane can read (WAV, AIFF, FLAC, Ogg Vorbis, Opus or MP3)");
    EXPECT_EQ(refusal(std::string("\0\0\0\x20"
                                  "ftypM4A \0\0\0\0",
                                  16)),
              "an M4A/AAC recording, which Korvane's decoder (libsndfile) cannot read: save it "
              "as WAV, FLAC or MP3 first");
    // A WAV header that promises sound it does not hold.
    EXPECT_EQ(refusal(std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0"
                                  "\x80\x3e\0\0\2\0\x10\0data\0\0\0\0",
                                  44)),
              "the recording holds no sound");
    const CallLoudness text = MeasureCallLoudness("just text");
    EXPECT_FALSE(text.audio);
    EXPECT_FALSE(text.problem.empty());
}

TEST(ConvertedCalls, GoToKorvanesFolderOnCUnderTheRecordingsName)
{
    EXPECT_EQ(ConvertedPathOf("d:\\calls\\Taps.final.wav"), "c:\\Converted\\Taps.final.mp3");
    EXPECT_EQ(ConvertedPathOf("e:\\phone\\voice"), "c:\\Converted\\voice.mp3");
    EXPECT_EQ(ConvertedPathOf("d:.hidden"), "c:\\Converted\\.hidden.mp3");

    const test::TempDrives drives;
    Disk disk = drives.disk();
    Made(drives, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 1, 1.5, -20});
    const ConvertedCall call = ConvertCall(disk, "d:\\recording");
    EXPECT_EQ(call.path, "c:\\Converted\\recording.mp3");
    EXPECT_EQ(drives.readFile("c/Converted/recording.mp3"), call.conversion.mp3);
    // Again: the folder is there, the call replaced.
    EXPECT_EQ(ConvertCall(disk, "d:\\recording").path, call.path);
    EXPECT_EQ(drives.entries("c/Converted"), std::vector<std::string>{"recording.mp3"});
    EXPECT_THROW(ConvertCall(disk, "d:\\nothing.wav"), PlatformError);
}

} // namespace
} // namespace korvane
