// The parts of a trash every system shares: the .trashinfo text, the names kept free of
// collisions, and reading back what a trash folder holds.
#include "sys/trash.h"

#include "sys/ascii.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace korvane {

Trash Trash::InFolder(fs::path home)
{
    return Trash(std::move(home), false);
}

} // namespace korvane

namespace korvane::trash_info {

namespace {

bool keptAsIs(unsigned char c)
{
    return IsAsciiLetter(static_cast<char>(c)) || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
           c == '_' || c == '.' || c == '~';
}

std::string decoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexDigitValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigitValue(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string Text(const std::string& path, const std::string& localTime)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    return "[Trash Info]\nPath=" + encoded + "\nDeletionDate=" + localTime + "\n";
}

std::string LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::optional<std::string> OriginalPath(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + start, end - start);
        if (line.starts_with("Path="))
            return decoded(line.substr(5));
        start = end + 1;
    }
    return std::nullopt;
}

std::string NameForTry(const std::string& name, int n)
{
    if (n <= 1)
        return name;
    // A leading dot starts a hidden name, not an extension.
    const std::size_t dot = name.rfind('.');
    const std::size_t split = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, split) + "." + std::to_string(n) + name.substr(split);
}

std::vector<TrashedFile> Listing(const fs::path& trash, const fs::path& top)
{
    std::vector<TrashedFile> files;
    std::error_code error;
    for (fs::directory_iterator it(trash / "info", error), end; !error && it != end;
         it.increment(error)) {
        const fs::path info = it->path();
        if (info.extension() != ".trashinfo")
            continue;
        std::ifstream in(info, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        const std::optional<std::string> path = OriginalPath(text);
        const fs::path stored = trash / "files" / info.stem();
        std::error_code missing;
        if (!path || !fs::exists(fs::symlink_status(stored, missing)))
            continue;
        const fs::path original(reinterpret_cast<const char8_t*>(path->c_str()));
        files.push_back({original.is_absolute() ? original : top / original, stored});
    }
    return files;
}

} // namespace korvane::trash_info
