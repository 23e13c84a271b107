// The one MP3 form a conversion writes, and the loudness every converted call is brought to.
// The form is that of the player's own factory calls, constant bit rate MPEG-2 Layer III at
// 22,050 Hz, mono, at 64 kbit/s instead of their 32: LAME writes the "Info" frame that tells a
// reader its delay and padding only where the frame has room for it, from 56 kbit/s at this
// rate, and without it a call reads (and sounds) 60 to 90 ms longer than its recording. Every
// MPEG-2 Layer III decoder takes every bit rate of the standard's table; a minute of call costs
// 480 KB of the player's 100 MB.
#pragma once

namespace korvane {

struct PlayerForm {
    int rate = 22050; // Hz
    int kbps = 64;
    int channels = 1;
};

inline constexpr PlayerForm kPlayerForm{};

// EBU R128 as streaming services apply it to speech and music heard on small speakers.
struct LoudnessTarget {
    double integrated = -16; // LUFS
    double truePeak = -1;    // dBTP: room for the MP3 encoder's overshoot
};

inline constexpr LoudnessTarget kLoudnessTarget{};

} // namespace korvane
