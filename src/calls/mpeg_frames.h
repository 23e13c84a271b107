// MPEG audio frame headers as the player's decoder reads them: enough to tell real Layer III
// audio from bytes that only happen to hold a sync word, and to read the encoder's delay and
// padding that a gapless length leaves out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

struct FrameHeader {
    int version = 1; // 1, 2, or 25 for MPEG 2.5
    int layer = 3;
    int kbps = 0;
    int rate = 0; // Hz
    int channels = 1;
    int samples = 0;  // per frame
    int bytes = 0;    // the whole frame, header included
    int sideInfo = 0; // bytes after the 4-byte header, before the main data
};

// The header starting at bytes[0], or nothing when these bytes are not a valid header
// (free-format and reserved values count as invalid: no player plays them).
std::optional<FrameHeader> ParseFrameHeader(std::string_view bytes);

enum class Layer3Chain {
    Chained,  // a few Layer III frames follow one another
    Broken,   // a header on the way is not one, or not of the same stream
    CutShort, // the bytes end first: audio if they reach the end of the stream
};

// Follows the frames of bytes (read from where the first frame starts): audio is Layer III
// frames that follow one another, a few in a row, or every frame up to the end of a call that
// short. Reading further never changes a verdict other than CutShort.
Layer3Chain FollowLayer3(std::string_view bytes);

struct EncoderGap {
    int delay = 0;   // samples the encoder put before the audio
    int padding = 0; // samples it added after
};

// The delay and padding of a LAME-style tag in the first frame (an "Info"/"Xing" frame), if
// it has one.
std::optional<EncoderGap> ReadEncoderGap(std::string_view firstFrame, const FrameHeader& header);

} // namespace korvane
