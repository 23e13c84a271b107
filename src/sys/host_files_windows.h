// Private to the Windows backends: UTF-8, UTF-16 and code page text, and the errno value
// that stands for a system error, so that failures read as they do on every system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::host {

// UTF-8 to UTF-16 and back; malformed UTF-8 becomes U+FFFD, as the system converts it.
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// UTF-8 to a code page and back, for ToAnsi and FromAnsi. nullopt: a character the code page
// cannot hold (never replaced by a look-alike), or text that is not UTF-8.
std::optional<std::string> ToCodePage(unsigned codePage, std::string_view utf8);
std::string FromCodePage(unsigned codePage, std::string_view ansi);

// The errno value for a GetLastError() code.
int ErrnoOf(unsigned long systemError);
// The errno value for the calling thread's last system error.
int LastErrno();
// The same for a failure on path, told as POSIX systems tell it: a folder where a file was
// wanted is "Is a directory", a file on the way to path is "Not a directory".
int LastErrnoAt(const std::filesystem::path& path);

} // namespace korvane::host
