// Windows paths over the drive map: parsing, case-blind resolution and sorted folder listings.
#include "platform/disk_paths.h"

#include "platform/errors.h"
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
// other case is not that same file, so the folder tells cases apart. On a case-blind volume
// (FAT) the exact lookup succeeds for any case, so it alone proves nothing.
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

// Enough folders for an operation (the drive roots, the sound folder, the destination) without
// holding every folder ever browsed.
constexpr std::size_t kIndexedFolders = 16;
// The program's own changes entered into a folder's listing before it is read again instead.
constexpr int kListedChanges = 64;

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

Resolved resolve(const DriveMapping& drive, const std::vector<std::string>& parts,
                 FolderIndexes& indexes)
{
    Resolved resolved;
    resolved.host = normalRoot(drive.hostRoot);
    std::error_code error;
    resolved.exists = fs::is_directory(resolved.host, error);
    for (const std::string& part : parts) {
        std::optional<std::string> stored;
        if (resolved.exists)
            stored = indexes.storedName(resolved.host, part);
        resolved.exists = stored.has_value();
        resolved.names.push_back(stored ? *stored : part);
        resolved.host /= resolved.names.back();
    }
    return resolved;
}

std::optional<std::string> FolderIndexes::storedName(const fs::path& folder,
                                                     const std::string& name)
{
    const auto known = folders_.find(folder.string());
    if (known != folders_.end()) {
        const std::optional<Stamp> now = stampOf(folder);
        if (now && sameStamp(known->second.stamp, *now))
            return known->second.index.stored(name);
        folders_.erase(known); // changed by someone else, or gone
    }
    // Two looks at a name that exists as written spare reading a large folder for it.
    if (StoredExactly(folder, name))
        return name;
    if (const std::optional<Stamp> now = stampOf(folder)) {
        std::error_code error;
        list(folder, error, *now); // the listing comes with the index, for a refresh to come
        const auto known = folders_.find(folder.string());
        if (!error && known != folders_.end())
            return known->second.index.stored(name);
    }
    // A folder that may be passed through but not read: only the exact name can be found.
    struct stat info;
    if (::lstat((folder / name).c_str(), &info) == 0)
        return name;
    return std::nullopt;
}

std::vector<Entry> FolderIndexes::list(const fs::path& folder, std::error_code& error)
{
    // Stamped before the read: a change made while it reads shows at the next look.
    const std::optional<Stamp> now = stampOf(folder);
    const auto known = folders_.find(folder.string());
    if (now && known != folders_.end() && known->second.listing &&
        sameStamp(known->second.stamp, *now)) {
        error.clear();
        return *known->second.listing;
    }
    if (!now)
        return readFolder(folder, error);
    return list(folder, error, *now);
}

std::vector<Entry> FolderIndexes::list(const fs::path& folder, std::error_code& error,
                                       const Stamp& now)
{
    EveryName every;
    std::vector<Entry> entries = readFolder(folder, error, &every);
    if (error)
        return entries;
    Known fresh;
    fresh.index.assign(every.names);
    fresh.stamp = now;
    if (!every.lookedUp)
        fresh.listing = entries;
    remember(folder, std::move(fresh));
    return entries;
}

void FolderIndexes::remember(const fs::path& folder, Known known)
{
    folders_.erase(folder.string());
    if (folders_.size() >= kIndexedFolders)
        folders_.clear();
    folders_.emplace(folder.string(), std::move(known));
}

void FolderIndexes::created(const fs::path& file)
{
    changed(file, true);
}

void FolderIndexes::removed(const fs::path& file)
{
    changed(file, false);
}

void FolderIndexes::changed(const fs::path& file, bool added)
{
    const auto known = folders_.find(file.parent_path().string());
    if (known == folders_.end())
        return;
    const std::optional<Stamp> now = stampOf(known->first);
    if (!now) {
        folders_.erase(known);
        return;
    }
    const std::string name = file.filename().string();
    // A few changes (an Add, a fill) go into the listing; past that it is read again when next
    // asked, so that a thousand copies or deletions never cost a thousand passes over it.
    Known& folder = known->second;
    if (folder.listing &&
        (++folder.changesListed > kListedChanges || !updateListing(*folder.listing, file, added)))
        folder.listing.reset();
    if (added)
        known->second.index.add(name);
    else
        known->second.index.remove(name);
    known->second.stamp = *now;
}

bool FolderIndexes::updateListing(std::vector<Entry>& listing, const fs::path& file, bool added)
{
    // The listing is in readFolder's order: by lower-cased name, then by name.
    const std::string name = file.filename().string();
    const std::string lower = LowerCase(name);
    const auto at = std::lower_bound(
        listing.begin(), listing.end(), name, [&](const Entry& entry, const std::string&) {
            const std::string entryLower = LowerCase(entry.name);
            return entryLower != lower ? entryLower < lower : entry.name < name;
        });
    const bool listed = at != listing.end() && at->name == name;
    if (!added) {
        if (listed)
            listing.erase(at);
        return true;
    }
    if (name.starts_with('.'))
        return true;
    struct stat info;
    if (::lstat(file.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)))
        return false;
    if (listed)
        at->folder = S_ISDIR(info.st_mode);
    else
        listing.insert(at, Entry{name, S_ISDIR(info.st_mode)});
    return true;
}

bool FolderIndexes::sameStamp(const Stamp& a, const Stamp& b)
{
    auto same = [](const timespec& x, const timespec& y) {
        return x.tv_sec == y.tv_sec && x.tv_nsec == y.tv_nsec;
    };
    return a.device == b.device && a.inode == b.inode && same(a.modified, b.modified) &&
           same(a.changed, b.changed);
}

std::optional<FolderIndexes::Stamp> FolderIndexes::stampOf(const fs::path& folder)
{
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return Stamp{info.st_dev, info.st_ino, info.st_mtim, info.st_ctim};
}

void FolderIndexes::FolderIndex::assign(const std::vector<std::string>& names)
{
    byLowerName_.clear();
    for (const std::string& name : names)
        byLowerName_[LowerCase(name)].push_back(name);
    for (auto& [lower, variants] : byLowerName_)
        std::sort(variants.begin(), variants.end());
}

std::optional<std::string> FolderIndexes::FolderIndex::stored(const std::string& name) const
{
    const auto variants = byLowerName_.find(LowerCase(name));
    if (variants == byLowerName_.end())
        return std::nullopt;
    const std::vector<std::string>& names = variants->second;
    if (std::find(names.begin(), names.end(), name) != names.end())
        return name;
    return names.front();
}

void FolderIndexes::FolderIndex::add(const std::string& name)
{
    std::vector<std::string>& names = byLowerName_[LowerCase(name)];
    const auto at = std::lower_bound(names.begin(), names.end(), name);
    if (at == names.end() || *at != name)
        names.insert(at, name);
}

void FolderIndexes::FolderIndex::remove(const std::string& name)
{
    const auto variants = byLowerName_.find(LowerCase(name));
    if (variants == byLowerName_.end())
        return;
    std::erase(variants->second, name);
    if (variants->second.empty())
        byLowerName_.erase(variants);
}

std::vector<Entry> readFolder(const fs::path& folder, std::error_code& error, EveryName* every)
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
        const std::string_view name = entry->d_name;
        if (every && name != "." && name != "..")
            every->names.emplace_back(name);
        if (entry->d_name[0] == '.' || entry->d_name[0] == '\0')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            if (every)
                every->lookedUp = true;
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

std::string osText(int error)
{
    return std::generic_category().message(error);
}

Resolved resolveFor(const std::vector<DriveMapping>& drives, FolderIndexes& indexes,
                    const WinPath& path, const char* operation, const std::string& where)
{
    const DriveMapping* drive = findDrive(drives, path.drive);
    if (!drive)
        throw PlatformError(operation, where, osText(ENODEV));
    return resolve(*drive, path.parts, indexes);
}

} // namespace korvane::disk_paths
