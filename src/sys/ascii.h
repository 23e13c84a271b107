// Plain ASCII rules: drive letters and the fast paths for names that are ASCII, as nearly
// every call name is.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace korvane {

constexpr bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr char LowerAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of a hexadecimal digit, -1 for any other character.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Eight bytes at a time, the last eight overlapping the ones before: it runs over every name
// of long playlists and folders.
inline bool IsAscii(std::string_view text)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const auto word = [&text](std::size_t at) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + at, 8);
        return bytes;
    };
    const std::size_t size = text.size();
    if (size < 8) {
        unsigned seen = 0;
        for (const char c : text)
            seen |= static_cast<unsigned char>(c);
        return seen < 0x80;
    }
    std::uint64_t seen = word(size - 8);
    for (std::size_t at = 0; at + 8 < size; at += 8)
        seen |= word(at);
    return (seen & kHighBits) == 0;
}

} // namespace korvane
