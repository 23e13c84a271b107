// The folder indexes on POSIX systems, whose folders may hold names that differ only in case:
// each folder read once into an index of its names and a listing, kept while its time stamps
// stay and brought up to date with the program's own changes.
#include "disk/detail/disk_paths.h"

#include "sys/text.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace korvane::disk_paths {

namespace {

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
    return a.device == b.device && a.inode == b.inode && a.modified == b.modified &&
           a.changed == b.changed;
}

std::optional<FolderIndexes::Stamp> FolderIndexes::stampOf(const fs::path& folder)
{
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return Stamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                 nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
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

} // namespace korvane::disk_paths
