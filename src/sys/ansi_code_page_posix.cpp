// The ANSI code page of playlist files where the system has none: Windows-1252, the code page
// of the Western Windows systems the player came with.
#include "sys/text.h"

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

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Strict UTF-8 decoding of one character at text[i]; nullopt for anything malformed
// (overlong forms, surrogates, values past U+10FFFF, truncated sequences).
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > text.size())
        return std::nullopt;
    for (int k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(c))
            return std::nullopt;
        value = (value << 6) | (c & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    i += length;
    return value;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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
        const std::optional<char32_t> c = decodeUtf8(utf8, i);
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
            appendUtf8(out, kAnsiHighControls[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

} // namespace korvane
