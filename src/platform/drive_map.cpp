// The drive map: parsed from KORVANE_DRIVES, or the default one built from the environment.
#include "platform/drive_map.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace korvane {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// One "letter=host[:LABEL]" entry. Host folders on this platform contain no ':', so the
// text after the last ':' is the label.
std::optional<DriveMapping> parseEntry(std::string_view entry, std::string& error)
{
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) {
        error = "\"" + std::string(entry) + "\" is not of the form letter=folder";
        return std::nullopt;
    }
    const std::string_view letter = entry.substr(0, equals);
    std::string_view host = entry.substr(equals + 1);
    if (letter.empty()) {
        error = "\"" + std::string(entry) + "\" has no drive letter";
        return std::nullopt;
    }
    if (letter.size() != 1 || !isLetter(letter[0])) {
        error = "\"" + std::string(letter) + "\" is not a drive letter a-z";
        return std::nullopt;
    }
    DriveMapping mapping;
    mapping.letter = lowerLetter(letter[0]);
    const std::size_t colon = host.rfind(':');
    if (colon != std::string_view::npos) {
        mapping.label = std::string(host.substr(colon + 1));
        host = host.substr(0, colon);
    }
    if (host.empty() || host.front() != '/') {
        error = "drive " + std::string(1, mapping.letter) + ": needs an absolute folder, not \"" +
                std::string(host) + "\"";
        return std::nullopt;
    }
    mapping.hostRoot = std::string(host);
    return mapping;
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

// The per-user data folder; a relative XDG_DATA_HOME is ignored, as the XDG rules say.
std::string dataFolder(const std::string& home)
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return data;
    return home + "/.local/share";
}

} // namespace

std::optional<std::vector<DriveMapping>> ParseDriveMap(const std::string& text, std::string& error)
{
    std::vector<DriveMapping> drives;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        const std::string_view entry = rest.substr(0, semicolon);
        rest =
            semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        if (entry.empty())
            continue; // "c=/a;;d=/b" and a final ';' are harmless
        std::optional<DriveMapping> mapping = parseEntry(entry, error);
        if (!mapping)
            return std::nullopt;
        for (const DriveMapping& earlier : drives) {
            if (earlier.letter == mapping->letter) {
                error = "drive " + std::string(1, mapping->letter) + ": is mapped twice";
                return std::nullopt;
            }
        }
        drives.push_back(std::move(*mapping));
    }
    if (drives.empty()) {
        error = "no drive is mapped";
        return std::nullopt;
    }
    return drives;
}

std::vector<DriveMapping> DefaultDriveMap(const std::vector<Volume>& removable)
{
    const std::string home = homeFolder();
    const std::string driveC = dataFolder(home) + "/korvane/drive_c";
    // A folder that cannot be made shows up as a failing disk operation on c: later, with the
    // OS text, which says more than a failure here could.
    std::error_code ignored;
    std::filesystem::create_directories(driveC, ignored);

    std::vector<DriveMapping> drives = {{'c', driveC, ""}, {'d', home, ""}};
    char letter = 'e';
    for (const Volume& volume : removable) {
        if (letter == 'z')
            break; // z: is the host root
        if (volume.root.empty())
            continue;
        drives.push_back({letter++, volume.root, volume.label});
    }
    drives.push_back({'z', "/", ""});
    return drives;
}

} // namespace korvane
