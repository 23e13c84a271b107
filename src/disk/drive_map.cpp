// The drive map: parsed from KORVANE_DRIVES, or the default one built from the environment
// and the removable volumes mounted now.
#include "disk/drive_map.h"

#include "sys/ascii.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korvane {

namespace {

// The letters the removable volumes take; c: and d: come before them, z: is the host root.
constexpr char kFirstVolumeLetter = 'e';
constexpr char kLastVolumeLetter = 'y';

bool isVolumeLetter(char letter)
{
    return letter >= kFirstVolumeLetter && letter <= kLastVolumeLetter;
}

bool hasLetter(const std::vector<DriveMapping>& drives, char letter)
{
    return std::any_of(drives.begin(), drives.end(),
                       [letter](const DriveMapping& drive) { return drive.letter == letter; });
}

// One "letter=host[:LABEL]" entry. Host folders contain no ':' but a Windows drive's, so the
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
    if (letter.size() != 1 || !IsAsciiLetter(letter[0])) {
        error = "\"" + std::string(letter) + "\" is not a drive letter a-z";
        return std::nullopt;
    }
    DriveMapping mapping;
    mapping.letter = LowerAsciiLetter(letter[0]);
    // The colon of a Windows folder's drive ("C:\k") starts no label.
    const std::size_t colon = host.rfind(':');
    const bool driveColon = colon == 1 && IsAsciiLetter(host[0]);
    if (colon != std::string_view::npos && !driveColon) {
        mapping.label = std::string(host.substr(colon + 1));
        host = host.substr(0, colon);
    }
    if (host.empty() || !std::filesystem::path(host).is_absolute()) {
        error = "drive " + std::string(1, mapping.letter) + ": needs an absolute folder, not \"" +
                std::string(host) + "\"";
        return std::nullopt;
    }
    mapping.hostRoot = std::string(host);
    return mapping;
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

std::vector<DriveMapping> WithRemovableVolumes(const std::vector<DriveMapping>& drives,
                                               const std::vector<Volume>& volumes)
{
    // The removable volumes in the order of their mount points, each once; "/" is z: already.
    std::vector<Volume> mounted;
    for (const Volume& volume : volumes) {
        if (volume.removable && !volume.root.empty() && volume.root != "/")
            mounted.push_back(volume);
    }
    std::stable_sort(mounted.begin(), mounted.end(),
                     [](const Volume& a, const Volume& b) { return a.root < b.root; });
    mounted.erase(std::unique(mounted.begin(), mounted.end(),
                              [](const Volume& a, const Volume& b) { return a.root == b.root; }),
                  mounted.end());

    std::vector<DriveMapping> result;
    std::vector<bool> lettered(mounted.size(), false);
    for (const DriveMapping& drive : drives) {
        if (!isVolumeLetter(drive.letter)) {
            result.push_back(drive);
            continue;
        }
        for (std::size_t i = 0; i < mounted.size(); ++i) {
            if (!lettered[i] && mounted[i].root == drive.hostRoot) {
                result.push_back({drive.letter, drive.hostRoot, mounted[i].label});
                lettered[i] = true;
                break;
            }
        }
    }
    char letter = kFirstVolumeLetter;
    for (std::size_t i = 0; i < mounted.size(); ++i) {
        if (lettered[i])
            continue;
        while (letter <= kLastVolumeLetter && hasLetter(result, letter))
            ++letter;
        if (letter > kLastVolumeLetter)
            break; // more volumes than letters: the rest stay without a drive
        result.push_back({letter, mounted[i].root, mounted[i].label});
    }
    std::sort(result.begin(), result.end(),
              [](const DriveMapping& a, const DriveMapping& b) { return a.letter < b.letter; });
    return result;
}

std::optional<DriveSource> DriveSource::FromEnvironment(VolumeSource volumes, std::string& error)
{
    DriveSource source;
    if (const char* text = std::getenv("KORVANE_DRIVES")) {
        auto drives = ParseDriveMap(text, error);
        if (!drives)
            return std::nullopt;
        source.drives_ = std::move(*drives);
        return source;
    }
    source.drives_ = DefaultDriveMap(volumes());
    source.volumes_ = std::move(volumes);
    return source;
}

std::vector<DriveMapping> DriveSource::Refreshed(const std::vector<DriveMapping>& current) const
{
    if (!volumes_)
        return current;
    return RefreshedDriveMap(current, volumes_());
}

} // namespace korvane
