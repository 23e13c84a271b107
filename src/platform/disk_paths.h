// Private to the disk layer: Windows paths taken apart and made absolute, resolved against
// the host folders without regard to case, and folders listed in the order the program shows.
#pragma once

#include "platform/disk.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace korvane::disk_paths {

char lowerLetter(char c);

// A Windows path made absolute, with "." and ".." applied to the text as Windows applies them
// (before anything is looked up) and repeated separators taken as one.
struct WinPath {
    char drive = 'c';
    std::vector<std::string> parts; // below the root
    bool listsFolder = false;       // ends with a separator, or is a bare "e:"
};

// Relative paths take the disk's current drive and that drive's current folder. A NUL ends
// the path, as it does on Windows.
WinPath parse(const Disk& disk, std::string_view text);
// "c:\" for a root, "c:\a\b" otherwise.
std::string format(char drive, const std::vector<std::string>& parts);
std::string format(const WinPath& path);

const DriveMapping* findDrive(const std::vector<DriveMapping>& drives, char letter);
// A host folder without "." components or a trailing '/' ("/" stays "/").
std::string normalRoot(const std::string& hostRoot);

struct Resolved {
    std::filesystem::path host;
    std::vector<std::string> names; // as stored where they exist, the rest as written
    bool exists = false;            // every component exists
};

Resolved resolve(const DriveMapping& drive, const std::vector<std::string>& parts);

// The names one folder stores, read once, to resolve many names in it as resolve does without
// reading the folder again for each.
class FolderIndex {
public:
    // false when the folder cannot be read.
    bool read(const std::filesystem::path& folder);
    // The name under which the folder stores name, as resolve finds it; nullopt: none.
    std::optional<std::string> stored(const std::string& name) const;

private:
    std::unordered_set<std::string> exact_;
    std::unordered_map<std::string, std::string> byLowerName_; // the first of the case variants
};

struct Entry {
    std::string name;
    bool folder = false;
};

// The files and folders of a folder, sorted by the ordinal comparison of their lower-cased
// names; hidden entries (dot-names) stay out.
std::vector<Entry> readFolder(const std::filesystem::path& folder, std::error_code& error);

} // namespace korvane::disk_paths
