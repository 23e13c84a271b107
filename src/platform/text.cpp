// Text helpers: lower-casing, Windows wildcards and the Windows-1252 code page.
#include "platform/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace korvane {

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

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

// Splits a text into its UTF-8 characters, so that '?' stands for one character and not one
// byte; a stray byte counts as a character of its own.
std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i + 1;
        while (end < text.size() && isContinuation(static_cast<unsigned char>(text[end])))
            ++end;
        result.push_back(text.substr(i, end - i));
        i = end;
    }
    return result;
}

// '*' and '?' over characters; the last '*' seen is retried one character further on a
// mismatch, which is enough because an earlier '*' can never need to take more.
// Over the characters of a pattern and a name, or over their bytes when both are plain ASCII
// (every call name almost), which spares splitting them.
bool isStar(std::string_view c)
{
    return c == "*";
}
bool isStar(char c)
{
    return c == '*';
}
bool isAny(std::string_view c)
{
    return c == "?";
}
bool isAny(char c)
{
    return c == '?';
}

template <typename Characters> bool globMatch(const Characters& pattern, const Characters& name)
{
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && isStar(pattern[p])) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (isAny(pattern[p]) || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && isStar(pattern[p]))
        ++p;
    return p == pattern.size();
}

bool globMatch(std::string_view pattern, std::string_view name)
{
    if (IsAscii(pattern) && IsAscii(name))
        return globMatch<std::string_view>(pattern, name);
    return globMatch(characters(pattern), characters(name));
}

bool matchAlternative(std::string_view pattern, std::string_view name)
{
    if (globMatch(pattern, name))
        return true;
    // A final ".*" also matches the end of a name without an extension ("*.*" lists
    // "README", "Taps.*" finds "Taps"), as on Windows.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
        return globMatch(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

} // namespace

std::string LowerCase(std::string_view utf8)
{
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE are C3 80..C3 9E; all are capitals except U+00D7 (multiplication).
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    const std::string lowerPattern = LowerCase(pattern);
    const std::string lowerName = LowerCase(name);
    std::string_view rest = lowerPattern;
    while (true) {
        const std::size_t semicolon = rest.find(';');
        if (matchAlternative(rest.substr(0, semicolon), lowerName))
            return true;
        if (semicolon == std::string_view::npos)
            return false;
        rest.remove_prefix(semicolon + 1);
    }
}

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
