// Windows paths over the drive map: parsing, case-blind resolution and sorted folder listings.
#include "disk/detail/disk_paths.h"

#include "sys/ascii.h"
#include "sys/errors.h"
#include "sys/host_files.h"
#include "sys/text.h"

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace korvane::disk_paths {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

void appendComponents(std::string_view text, std::vector<std::string>& parts)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string_view part = text.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        i = end;
    }
}

// Sorts by the ordinal comparison of the lower-cased names; names that differ only in case
// keep a fixed order among themselves.
void sortByLowerName(std::vector<Entry>& entries)
{
    std::vector<std::pair<std::string, Entry>> keyed;
    keyed.reserve(entries.size());
    for (Entry& entry : entries)
        keyed.emplace_back(LowerCase(entry.name), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
    });
    entries.clear();
    for (auto& [key, entry] : keyed)
        entries.push_back(std::move(entry));
}

} // namespace

WinPath parse(const Disk& disk, std::string_view text)
{
    // Windows ends a path at its first NUL; so do we, or the host would open a shorter path
    // than the one resolved ("c:\..<NUL>x" would reach the parent of the drive's folder).
    text = text.substr(0, text.find('\0'));
    WinPath path;
    path.drive = disk.CurrentDrive();
    bool driveGiven = false;
    if (text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':') {
        path.drive = LowerAsciiLetter(text[0]);
        text.remove_prefix(2);
        driveGiven = true;
    }
    if (text.empty() || !isSeparator(text.front()))
        appendComponents(std::string_view(disk.CurDir(path.drive)).substr(2), path.parts);
    appendComponents(text, path.parts);
    path.listsFolder = text.empty() ? driveGiven : isSeparator(text.back());
    return path;
}

std::string format(char drive, const std::vector<std::string>& parts)
{
    std::string text{drive, ':', '\\'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += '\\';
        text += parts[i];
    }
    return text;
}

std::string format(const WinPath& path)
{
    return format(path.drive, path.parts);
}

const DriveMapping* findDrive(const std::vector<DriveMapping>& drives, char letter)
{
    letter = LowerAsciiLetter(letter);
    for (const DriveMapping& drive : drives) {
        if (drive.letter == letter)
            return &drive;
    }
    return nullptr;
}

std::string normalRoot(const std::string& hostRoot)
{
    fs::path root = host::PathOf(hostRoot).lexically_normal();
    // "/a/b/" names the folder "/a/b"; a bare root ("/", "C:\\") keeps its separator.
    if (root.has_relative_path() && !root.has_filename())
        root = root.parent_path();
    return host::TextOf(root);
}

Resolved resolve(const DriveMapping& drive, const std::vector<std::string>& parts,
                 FolderIndexes& indexes)
{
    constexpr auto separator = fs::path::preferred_separator;
    Resolved resolved;
    resolved.host = host::PathOf(normalRoot(drive.hostRoot));
    std::error_code error;
    resolved.exists = fs::is_directory(resolved.host, error);
    for (const std::string& part : parts) {
        std::optional<std::string> stored;
        if (resolved.exists)
            stored = indexes.storedName(resolved.host, part);
        resolved.exists = stored.has_value();
        resolved.names.push_back(stored ? *stored : part);
        // Appended as text: on Windows, "/" would let a name with a drive ("q:x") replace the
        // whole path and leave the drive's folder.
        if (!resolved.host.empty() && !resolved.host.native().ends_with(separator))
            resolved.host += separator;
        resolved.host += host::PathOf(resolved.names.back());
    }
    return resolved;
}

std::vector<Entry> readFolder(const fs::path& folder, std::error_code& error, EveryName* every)
{
    std::vector<host::Entry> found;
    error.clear();
    if (const int failure = host::ListFolder(folder, found, every ? &every->lookedUp : nullptr))
        error.assign(failure, std::generic_category());
    std::vector<Entry> entries;
    entries.reserve(found.size());
    for (host::Entry& entry : found) {
        if (every)
            every->names.push_back(entry.name);
        if (entry.usable && entry.name.front() != '.')
            entries.push_back({std::move(entry.name), entry.folder});
    }
    sortByLowerName(entries);
    return entries;
}

std::string osText(int error)
{
    return host::ErrorText(error);
}

Resolved resolveFor(const std::vector<DriveMapping>& drives, FolderIndexes& indexes,
                    const WinPath& path, const char* operation, const std::string& where)
{
    const DriveMapping* drive = findDrive(drives, path.drive);
    if (!drive)
        throw PlatformError(operation, where, osText(ENODEV));
    return resolve(*drive, path.parts, indexes);
}

void CopyEnds::check(int error, bool sourceFailed) const
{
    if (error && sourceFailed)
        throw PlatformError("read", fromWhere, osText(error));
    if (error)
        throw PlatformError("copy to", where, osText(error));
}

} // namespace korvane::disk_paths
