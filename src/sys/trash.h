// Where the user's files go when Korvane removes or replaces them: the desktop's trash, from
// which the file manager restores each to its folder under its own name. On Linux the
// freedesktop.org trash (the home trash, or the trash at the top of another volume); on Windows
// the Recycle Bin. A trash can also stand in a folder of its own (scenarios, tests), so that
// nothing they remove lands in the user's trash.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// A file in a trash: where it came from, and where it is kept now.
struct TrashedFile {
    std::filesystem::path original;
    std::filesystem::path stored;
};

class Trash {
public:
    // The desktop's own trash.
    static Trash System();
    // A trash whose home trash is the folder home (made when first used); files on other
    // volumes still go to those volumes' trash, where the system has one.
    static Trash InFolder(std::filesystem::path home);

    // Moves file into the trash, renamed there, never copied. False when no trash can take it
    // (none on its volume, a trash that cannot be written): the file is then where it was.
    bool take(const std::filesystem::path& file) const;

    // What the trash holds that the program can see: the home trash, and the trash of each
    // volume that holds one of volumes.
    std::vector<TrashedFile> contents(const std::vector<std::filesystem::path>& volumes) const;

private:
    Trash(std::filesystem::path home, bool system) : home_(std::move(home)), system_(system) {}
    std::filesystem::path home_; // empty for the system's own
    bool system_ = false;
};

namespace trash_info {

// The text of a .trashinfo file: the original path percent-encoded (absolute, or relative to
// the top of the volume for a volume's trash) and the local time of the deletion.
std::string Text(const std::string& path, const std::string& localTime);
// The local time now, as a .trashinfo's DeletionDate holds it ("2026-12-06T15:04:05").
std::string LocalTimeNow();
// The Path= of a .trashinfo text, decoded; nullopt when it has none.
std::optional<std::string> OriginalPath(const std::string& text);
// name for the n-th try at a free name in the trash: "a.mp3", "a.2.mp3", "a.3.mp3", ...
std::string NameForTry(const std::string& name, int n);
// The files a trash folder holds with their info, originals made absolute against top.
std::vector<TrashedFile> Listing(const std::filesystem::path& trash,
                                 const std::filesystem::path& top);

} // namespace trash_info

} // namespace korvane
