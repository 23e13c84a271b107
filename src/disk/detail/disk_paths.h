// Private to the disk layer: Windows paths taken apart and made absolute, resolved against
// the host folders without regard to case through an index per folder, and folders listed in
// the order the program shows.
#pragma once

#include "disk/disk.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace korvane::disk_paths {

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

struct Entry {
    std::string name;
    bool folder = false;
};

// The folders a disk has looked into, each with the index of its names, so that n new files
// in one folder cost one read of it rather than n. An index is used only while the folder's
// time stamps are those it had when the index was last known to be right; the program's own
// changes are entered into it (created, removed) and move that mark on. Anyone else's change
// moves the stamps, and the folder is read again at its next lookup; one made in the instant
// between a lookup and the program's own change to the folder goes unseen until the disk
// forgets its indexes as the next operation starts.
class FolderIndexes {
public:
    // The folder's files and folders as readFolder lists them. One read serves the listings
    // and lookups of an operation while the folder stays as it was: a refresh that follows
    // another, or a lookup after the folder was listed, does not read it again.
    std::vector<Entry> list(const std::filesystem::path& folder, std::error_code& error);
    // The name under which folder stores name: the exact name when it is there, else the first
    // (in ordinal order) of the names that differ from it only in case; nullopt: none.
    std::optional<std::string> storedName(const std::filesystem::path& folder,
                                          const std::string& name);
    // The program made or replaced file, or removed it; the host path as resolved.
    void created(const std::filesystem::path& file);
    void removed(const std::filesystem::path& file);
    // Everything learned goes: the next lookups read the folders again.
    void forget() { folders_.clear(); }

private:
    class FolderIndex {
    public:
        void assign(const std::vector<std::string>& names);
        std::optional<std::string> stored(const std::string& name) const;
        void add(const std::string& name);
        void remove(const std::string& name);

    private:
        // Lower-cased name -> the names stored under it, in ordinal order.
        std::unordered_map<std::string, std::vector<std::string>> byLowerName_;
    };
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t modified = 0; // nanoseconds
        std::int64_t changed = 0;
    };
    struct Known {
        FolderIndex index;
        Stamp stamp;
        std::optional<std::vector<Entry>> listing; // while nothing changed since it was read
        int changesListed = 0; // the program's own changes entered into the listing
    };
    // Reads folder, stamped now, into its index and listing.
    std::vector<Entry> list(const std::filesystem::path& folder, std::error_code& error,
                            const Stamp& now);
    // Keeps what was learned of folder, making room when too many folders are known.
    void remember(const std::filesystem::path& folder, Known known);
    // The program's own change entered into a listing; false when it cannot be (the entry is
    // of a kind only a fresh read tells).
    static bool updateListing(std::vector<Entry>& listing, const std::filesystem::path& file,
                              bool added);
    static bool sameStamp(const Stamp& a, const Stamp& b);
    static std::optional<Stamp> stampOf(const std::filesystem::path& folder);
    // After the program changed file's folder: the change goes into its index, if it has one.
    void changed(const std::filesystem::path& file, bool added);

    std::unordered_map<std::string, Known> folders_;
};

// Each existing component is matched through indexes.
// The system's text for an error number, as the failure messages show it.
std::string osText(int error);

// The two ends of a copy as FileCopy and StageCopy take them.
struct CopyEnds {
    std::string where;     // the destination, absolute, as failures name it
    std::string fromWhere; // the source, likewise
    Resolved from;
    Resolved to;
    // Throws what a copy that failed with error reports: the source could not be read, or the
    // destination not written. Nothing when error is 0.
    void check(int error, bool sourceFailed) const;
};

// Resolves a path for an operation that needs its drive: an unknown drive fails like a drive
// without a medium.
Resolved resolveFor(const std::vector<DriveMapping>& drives, FolderIndexes& indexes,
                    const WinPath& path, const char* operation, const std::string& where);

Resolved resolve(const DriveMapping& drive, const std::vector<std::string>& parts,
                 FolderIndexes& indexes);

// The files and folders of a folder, sorted by the ordinal comparison of their lower-cased
// names; hidden entries (dot-names) stay out. every, when given, gets every name the folder
// holds, and whether an entry's type had to be looked up (a link, which may change without
// its folder changing).
struct EveryName {
    std::vector<std::string> names;
    bool lookedUp = false;
};
std::vector<Entry> readFolder(const std::filesystem::path& folder, std::error_code& error,
                              EveryName* every = nullptr);

} // namespace korvane::disk_paths
