#include "calls/call_info.h"

#include <cmath>
#include <cstdio>

namespace korvane {

std::string MinutesSeconds(double seconds)
{
    const long tenths = std::lround(seconds * 10);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld.%ld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

std::string CallInfoLines(const CallInfo& info)
{
    switch (info.kind) {
    case CallInfo::Kind::Audio:
        return MinutesSeconds(info.seconds) + "\n" + std::to_string(info.kbps) + " kbit/s, " +
               std::to_string(info.rate) + " Hz, " + (info.channels == 1 ? "mono" : "stereo");
    case CallInfo::Kind::NotAudio:
        return "not MP3 audio: the player cannot play it";
    case CallInfo::Kind::Missing:
        return "missing: the player cannot play it";
    case CallInfo::Kind::Unreadable:
        return "cannot be read (" + info.problem + "): the player cannot play it";
    }
    return {};
}

} // namespace korvane
