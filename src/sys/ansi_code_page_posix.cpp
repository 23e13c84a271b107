// The ANSI code page of playlist files where the system has none: Windows-1252, the code page
// of the Western Windows systems the player came with.
#include "sys/text.h"

#include "sys/ascii.h"
#include "sys/utf8.h"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same number, as Windows converts them, so every byte survives a round trip.
constexpr std::array<char32_t, 32> kAnsiHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

std::optional<std::string> ToAnsi(std::string_view utf8)
{
    // Plain ASCII, what almost every call name is, reads the same in both.
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<char32_t> c = DecodeUtf8(utf8, i);
        if (!c)
            return std::nullopt;
        if (*c < 0x80 || (*c >= 0xA0 && *c <= 0xFF)) {
            out += static_cast<char>(*c);
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < kAnsiHighControls.size() && !found; ++k) {
            if (kAnsiHighControls[k] == *c) {
                out += static_cast<char>(0x80 + k);
                found = true;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return out;
}

std::string FromAnsi(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
    std::string out;
    out.reserve(ansi.size() * 2);
    for (const char byte : ansi) {
        const auto c = static_cast<unsigned char>(byte);
        if (c >= 0x80 && c <= 0x9F)
            AppendUtf8(out, kAnsiHighControls[c - 0x80]);
        else
            AppendUtf8(out, c);
    }
    return out;
}

} // namespace korvane
