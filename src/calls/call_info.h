// What a call holds as sound: its length, bit rate, sample rate and channels, read from the
// file's MPEG frames with TagLib; or that it holds no MP3 audio the player could play. Only
// ever read for one call a user points at, never while listing a folder.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

struct CallInfo {
    enum class Kind { Audio, NotAudio, Missing, Unreadable };
    Kind kind = Kind::Missing;
    double seconds = 0; // the audio the player sounds, without the encoder's delay and padding
    int kbps = 0;
    int rate = 0; // Hz
    int channels = 0;
    std::string problem; // the system's reason for an unreadable file

    bool playable() const { return kind == Kind::Audio; }
};

// The call in the host file at hostPath.
CallInfo ReadCallInfo(const std::string& hostPath);
// The same for a file held in memory (the fuzz target reads this way).
CallInfo ReadCallInfoFromBytes(std::string_view bytes);

// "1:05.3": minutes and seconds to a tenth, as the tooltips show a length.
std::string MinutesSeconds(double seconds);

// The lines a tooltip shows under a call's whole name: the length and format, or why the
// player cannot play it ("not MP3 audio: the player cannot play it").
std::string CallInfoLines(const CallInfo& info);

} // namespace korvane
