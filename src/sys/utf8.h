// UTF-8, the text of names in memory: one decoder and one encoder for every part that needs
// a name's characters rather than its bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

constexpr bool IsUtf8Continuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Strict decoding of one character at text[i], moving i past it; nullopt for anything
// malformed (overlong forms, surrogates, values past U+10FFFF, truncated sequences).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i);

void AppendUtf8(std::string& out, char32_t c);

} // namespace korvane
