// Windows paths over the drive map: parsing, case-blind resolution and sorted folder listings.
#include "platform/disk_paths.h"

#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace korvane::disk_paths {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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

// The name under which folder stores name: the exact name when it is there, else the first
// of the names that differ from it only in case. The folder is read even when the exact name
// exists, because on a case-blind volume (FAT) the exact lookup succeeds for any case.
// A name with a letter, its ASCII letters in the other case ("Taps.mp3" -> "tAPS.MP3");
// "" when it has none.
std::string OtherCase(const std::string& name)
{
    std::string other = name;
    bool changed = false;
    for (char& c : other) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else
            continue;
        changed = true;
    }
    return changed ? other : std::string();
}

// Whether folder surely stores name as written: the name is there, and the same name in the
// other case is not that same file, so the folder tells cases apart.
bool StoredExactly(const fs::path& folder, const std::string& name)
{
    const std::string other = OtherCase(name);
    struct stat exact;
    if (other.empty() || ::lstat((folder / name).c_str(), &exact) != 0)
        return false;
    struct stat swapped;
    return ::lstat((folder / other).c_str(), &swapped) != 0 || swapped.st_dev != exact.st_dev ||
           swapped.st_ino != exact.st_ino;
}

std::optional<std::string> storedName(const fs::path& folder, const std::string& name)
{
    // Two looks at the name spare reading a large folder through for every path into it.
    if (StoredExactly(folder, name))
        return name;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        // A folder that may be passed through but not read: only the exact name can be found.
        struct stat info;
        if (::lstat((folder / name).c_str(), &info) == 0)
            return name;
        return std::nullopt;
    }
    const std::string wanted = LowerCase(name);
    std::optional<std::string> best;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (candidate == name)
            return candidate;
        if (LowerCase(candidate) == wanted && (!best || candidate < *best))
            best = std::move(candidate);
    }
    return best;
}

} // namespace

char lowerLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

WinPath parse(const Disk& disk, std::string_view text)
{
    // Windows ends a path at its first NUL; so do we, or the host would open a shorter path
    // than the one resolved ("c:\..<NUL>x" would reach the parent of the drive's folder).
    text = text.substr(0, text.find('\0'));
    WinPath path;
    path.drive = disk.CurrentDrive();
    bool driveGiven = false;
    if (text.size() >= 2 && isLetter(text[0]) && text[1] == ':') {
        path.drive = lowerLetter(text[0]);
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
    letter = lowerLetter(letter);
    for (const DriveMapping& drive : drives) {
        if (drive.letter == letter)
            return &drive;
    }
    return nullptr;
}

std::string normalRoot(const std::string& hostRoot)
{
    std::string root = fs::path(hostRoot).lexically_normal().string();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

Resolved resolve(const DriveMapping& drive, const std::vector<std::string>& parts)
{
    Resolved resolved;
    resolved.host = normalRoot(drive.hostRoot);
    std::error_code error;
    resolved.exists = fs::is_directory(resolved.host, error);
    for (const std::string& part : parts) {
        std::optional<std::string> stored;
        if (resolved.exists)
            stored = storedName(resolved.host, part);
        resolved.exists = stored.has_value();
        resolved.names.push_back(stored ? *stored : part);
        resolved.host /= resolved.names.back();
    }
    return resolved;
}

bool FolderIndex::read(const fs::path& folder)
{
    exact_.clear();
    byLowerName_.clear();
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        auto [variant, added] = byLowerName_.try_emplace(LowerCase(name), name);
        if (!added && name < variant->second)
            variant->second = name;
        exact_.insert(std::move(name));
    }
    return !error;
}

std::optional<std::string> FolderIndex::stored(const std::string& name) const
{
    if (exact_.count(name))
        return name;
    const auto variant = byLowerName_.find(LowerCase(name));
    if (variant == byLowerName_.end())
        return std::nullopt;
    return variant->second;
}

std::vector<Entry> readFolder(const fs::path& folder, std::error_code& error)
{
    // Read with the plain calls: a folder of thousands of calls is listed at every refresh,
    // and the listing gives each entry's type without a look at the entry itself.
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        error.assign(errno, std::generic_category());
        return entries;
    }
    error.clear();
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0)
                error.assign(errno, std::generic_category());
            break;
        }
        if (entry->d_name[0] == '.' || entry->d_name[0] == '\0')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target; // follows symbolic links
            if (::fstatat(::dirfd(dir), entry->d_name, &target, 0) != 0)
                continue; // a dangling link is no entry one could open
            isFolder = S_ISDIR(target.st_mode);
            isFile = S_ISREG(target.st_mode);
        }
        if (isFolder || isFile)
            entries.push_back({entry->d_name, isFolder});
    }
    ::closedir(dir);
    sortByLowerName(entries);
    return entries;
}

} // namespace korvane::disk_paths
