// Text helpers with the program's own rules: lower-casing for paths and patterns,
// Windows-style wildcards, and the ANSI code page of playlist files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Lower-cases ASCII and the Latin-1 letters of a UTF-8 text; other characters stay.
std::string LowerCase(std::string_view utf8);

// Windows wildcard match, '*' and '?', without regard to case. A pattern may hold several
// alternatives separated by ';' ("*.mp3;*.wav").
bool WildcardMatch(std::string_view pattern, std::string_view name);

// UTF-8 to the ANSI code page and back: the system's on Windows, Windows-1252 elsewhere.
// nullopt: a character the code page cannot hold, or text that is not UTF-8.
std::optional<std::string> ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

} // namespace korvane
