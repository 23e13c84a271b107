// The properties of the call-information reader, checked for one input at a time.
#include "support/fuzz_checks.h"

#include "calls/call_info.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace korvane::test {

Violations CheckCallInfo(std::string_view input)
{
    Violations broken;
    const CallInfo info = ReadCallInfoFromBytes(input);
    if (info.kind == CallInfo::Kind::Missing || info.kind == CallInfo::Kind::Unreadable)
        broken.push_back("bytes in memory read as missing or unreadable");
    if (info.kind != CallInfo::Kind::Audio) {
        if (!CallInfoLines(info).ends_with("the player cannot play it"))
            broken.push_back("no reason why it cannot play: " + CallInfoLines(info));
        return broken;
    }
    // No MP3 plays longer than its bytes at the lowest bit rate there is (8 kbit/s).
    const double longest = static_cast<double>(input.size()) * 8 / 8000;
    if (!std::isfinite(info.seconds) || info.seconds < 0 || info.seconds > longest + 0.001)
        broken.push_back("length " + std::to_string(info.seconds) + " s from " +
                         std::to_string(input.size()) + " bytes");
    if (info.channels != 1 && info.channels != 2)
        broken.push_back("channels " + std::to_string(info.channels));
    static constexpr int kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    if (std::find(std::begin(kRates), std::end(kRates), info.rate) == std::end(kRates))
        broken.push_back("sample rate " + std::to_string(info.rate));
    if (info.kbps < 8 || info.kbps > 448)
        broken.push_back("bit rate " + std::to_string(info.kbps));
    return broken;
}

} // namespace korvane::test
