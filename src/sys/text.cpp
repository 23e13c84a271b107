// Text helpers: lower-casing and Windows wildcards.
#include "sys/text.h"

#include "sys/ascii.h"
#include "sys/utf8.h"

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

// Splits a text into its UTF-8 characters, so that '?' stands for one character and not one
// byte; a stray byte counts as a character of its own.
std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i + 1;
        while (end < text.size() && IsUtf8Continuation(static_cast<unsigned char>(text[end])))
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

} // namespace korvane
