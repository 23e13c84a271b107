#include "calls/call_info.h"

#include "calls/mpeg_frames.h"
#include "support/fuzz_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace korvane {
namespace {

// Silent MPEG audio: count frames of size bytes, each its four-byte header and zeros.
std::string frames(const char* header, std::size_t size, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += std::string(header, 4) + std::string(size - 4, '\0');
    return bytes;
}

// Their lengths are pinned where the window shows them (the call preview test).
TEST(CallInfo, EveryFactoryCallIsAudioInThePlayersFormat)
{
    int calls = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(KORVANE_FACTORY_DIR)) {
        if (entry.path().extension() != ".mp3")
            continue;
        ++calls;
        const CallInfo info = ReadCallInfo(entry.path().string());
        const std::string name = entry.path().filename().string();
        ASSERT_EQ(info.kind, CallInfo::Kind::Audio) << name;
        EXPECT_GT(info.seconds, 0) << name;
        EXPECT_EQ(info.kbps, 32) << name;
        EXPECT_EQ(info.rate, 22050) << name;
        EXPECT_EQ(info.channels, 1) << name;
    }
    EXPECT_EQ(calls, 11);
}

TEST(CallInfo, FilesWithoutMp3AudioAreNotAudio)
{
    test::TempDrives scratch("");
    std::mt19937 random(16);
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    scratch.writeFile("noise.mp3", noise);
    scratch.writeFile("empty.mp3", "");
    scratch.writeFile("name.mp3", "Taps.mp3");
    // A WAV whose samples are full of sync-like bytes (0xFF 0xFB, a Layer III header start).
    std::string wav = "RIFF\x24\x80\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00"
                      "\x22\x56\x00\x00\x44\xAC\x00\x00\x02\x00\x10\x00data\x00\x80\x00\x00";
    for (int i = 0; i < 0x4000; ++i)
        wav += i % 3 ? "\xFF\xFB" : "\x90\x64";
    scratch.writeFile("wave.mp3", wav);
    // Layer II frames are MPEG audio, but not the MP3 the player plays.
    std::string layer2;
    for (int i = 0; i < 8; ++i)
        layer2 += "\xFF\xFD\x94\xC0" + std::string(140, '\0');
    scratch.writeFile("layer2.mp3", layer2);

    // Recordings in other containers are told by their first bytes: an AIFF, a FLAC and a
    // long WAV, each with the same sync-like samples.
    const std::string samples = wav.substr(44);
    scratch.writeFile("aiff.mp3", std::string("FORM\0\0\0\0AIFFCOMM", 16) + samples);
    scratch.writeFile("flac.mp3", "fLaC" + samples);
    std::string longWav = wav;
    for (int i = 0; i < 64; ++i)
        longWav += samples;
    scratch.writeFile("long.wav", longWav);

    for (const char* name : {"noise.mp3", "empty.mp3", "name.mp3", "wave.mp3", "layer2.mp3",
                             "aiff.mp3", "flac.mp3", "long.wav"}) {
        const CallInfo info = ReadCallInfo(scratch.hostPath(name));
        EXPECT_EQ(info.kind, CallInfo::Kind::NotAudio) << name;
        EXPECT_FALSE(info.playable()) << name;
        EXPECT_EQ(CallInfoLines(info), "not MP3 audio: the player cannot play it") << name;
    }

    // A WAV that wraps MPEG Layer III (format 0x55) is searched for its frames, as before.
    std::string wrapped = wav.substr(0, 44);
    wrapped[20] = '\x55';
    wrapped += frames("\xFF\xFB\xE8\xC0", 1440, 20);
    scratch.writeFile("wrapped.mp3", wrapped);
    EXPECT_EQ(ReadCallInfo(scratch.hostPath("wrapped.mp3")).kind, CallInfo::Kind::Audio);
}

// MPEG-1 Layer III frames of 320 kbit/s, mono at 32 kHz: 1440 bytes each, the largest a call
// is likely to have.
std::string largeFrames(int count)
{
    return frames("\xFF\xFB\xE8\xC0", 1440, count);
}

TEST(CallInfo, LargeFramesAndFrameCountsAreReadWhereverTheyLie)
{
    // Four large frames run past the first bytes looked at; the chain is followed to its end.
    const CallInfo large = ReadCallInfoFromBytes(largeFrames(6));
    ASSERT_EQ(large.kind, CallInfo::Kind::Audio);
    EXPECT_EQ(large.kbps, 320);
    EXPECT_EQ(large.rate, 32000);
    EXPECT_NEAR(large.seconds, 6 * 1440 * 8 / 320000.0, 0.001);
    std::string broken = largeFrames(6);
    broken[3 * 1440] = 'x'; // the fourth frame's header, far into the call
    EXPECT_EQ(ReadCallInfoFromBytes(broken).kind, CallInfo::Kind::NotAudio);

    // A frame count in the first frame gives the length, not the first frame's bit rate.
    std::string counted = largeFrames(6);
    const std::string xing("Xing\0\0\0\x03\0\0\0\x0A\0\0\x21\xC0", 16); // 10 frames, 8640 bytes
    counted.replace(4 + 17, xing.size(), xing);
    const CallInfo vbr = ReadCallInfoFromBytes(counted);
    ASSERT_EQ(vbr.kind, CallInfo::Kind::Audio);
    EXPECT_NEAR(vbr.seconds, 10 * 1152 / 32000.0, 0.001);
    EXPECT_EQ(vbr.kbps, 192);
    // The same count further into the frame is found as well.
    counted = largeFrames(6);
    counted.replace(200, xing.size(), xing);
    EXPECT_NEAR(ReadCallInfoFromBytes(counted).seconds, 10 * 1152 / 32000.0, 0.001);
}

TEST(CallInfo, CutOrTaggedCallsCarryTheLengthOfTheAudioTheyHold)
{
    std::ifstream in(std::string(KORVANE_FACTORY_DIR) + "/Taps.mp3", std::ios::binary);
    const std::string taps{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const double whole = ReadCallInfoFromBytes(taps).seconds;

    const CallInfo half = ReadCallInfoFromBytes(std::string_view(taps).substr(0, taps.size() / 2));
    ASSERT_EQ(half.kind, CallInfo::Kind::Audio);
    EXPECT_NEAR(half.seconds, whole / 2, 0.1);

    // An ID3v2 tag before the audio and an ID3v1 tag after it add no length.
    std::string tagged = std::string("ID3\x03\x00\x00\x00\x00\x02\x00", 10) + std::string(256, 'x');
    tagged += taps + "TAG" + std::string(125, ' ');
    EXPECT_NEAR(ReadCallInfoFromBytes(tagged).seconds, whole, 0.01);
    // Audio from the first byte on, then an ID3v1 tag: the tag still adds no length.
    const std::string lastTagOnly = taps + "TAG" + std::string(125, ' ');
    EXPECT_NEAR(ReadCallInfoFromBytes(lastTagOnly).seconds, whole, 0.01);
    // The same from a file, with a tag so large that the audio starts far into it.
    test::TempDrives scratch("");
    scratch.writeFile("tagged.mp3", std::string("ID3\x03\x00\x00\x00\x06\x00\x00", 10) +
                                        std::string(100 * 1024, '\0') + taps + "TAG" +
                                        std::string(125, ' '));
    const CallInfo fromFile = ReadCallInfo(scratch.hostPath("tagged.mp3"));
    ASSERT_EQ(fromFile.kind, CallInfo::Kind::Audio);
    EXPECT_NEAR(fromFile.seconds, whole, 0.01);
    EXPECT_EQ(fromFile.kbps, 32);

    // One frame and a stray byte after it is still too little to tell from noise (MPEG-2 Layer
    // III, 8 kbit/s mono at 16 kHz: 36 bytes a frame, as in the smallest real call).
    EXPECT_EQ(ReadCallInfoFromBytes(frames("\xFF\xF3\x18\xC0", 36, 1).substr(0, 20)).kind,
              CallInfo::Kind::NotAudio);
}

TEST(CallInfo, TooltipLinesShowLengthFormatOrWhyNot)
{
    CallInfo info{CallInfo::Kind::Audio, 65.26, 128, 44100, 2, ""};
    EXPECT_EQ(CallInfoLines(info), "1:05.3\n128 kbit/s, 44100 Hz, stereo");
    info.channels = 1;
    info.seconds = 9.96;
    EXPECT_EQ(CallInfoLines(info), "0:10.0\n128 kbit/s, 44100 Hz, mono");
    EXPECT_EQ(MinutesSeconds(0), "0:00.0");
    EXPECT_EQ(MinutesSeconds(600.04), "10:00.0");
    info.kind = CallInfo::Kind::Missing;
    EXPECT_EQ(CallInfoLines(info), "missing: the player cannot play it");
}

} // namespace
} // namespace korvane
