// Private to the disk layer: the host system's files, as the disk needs them. One backend per
// system, chosen by the build (host_files_posix.cpp, host_files_windows.cpp). Paths are the
// system's own (UTF-16 on Windows); failures are errno values, so that both systems report
// them in the same words.
#pragma once

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::host {

// A device that holds no medium (a card reader without its card, a stick pulled out).
#ifdef ENOMEDIUM
constexpr int kNoMedium = ENOMEDIUM;
#else
constexpr int kNoMedium = 123;
#endif

// A host path from UTF-8 text, and its UTF-8 text.
std::filesystem::path PathOf(std::string_view utf8);
std::string TextOf(const std::filesystem::path& path);

// The text of an errno value, in the same words on every system.
std::string ErrorText(int error);

struct FileInfo {
    bool folder = false;
    bool file = false; // a plain file
    std::int64_t size = 0;
    std::uint64_t volume = 0; // which volume holds it
};

// What path names, links followed; 0 or the errno.
int Stat(const std::filesystem::path& path, FileInfo& info);
int RemoveFile(const std::filesystem::path& path);
int MakeFolder(const std::filesystem::path& path);
// Gives from the name to, replacing a file there; 0 or the errno.
int Rename(const std::filesystem::path& from, const std::filesystem::path& to);

// The room of the volume that holds path, read on the nearest folder that exists on its way.
struct Room {
    std::int64_t freeBytes = 0;
    std::int64_t clusterBytes = 0;
};
std::optional<Room> RoomOf(std::filesystem::path path, int& error);

struct Entry {
    std::string name;
    bool folder = false;
    bool usable = false; // a file or a folder, links followed (not a dangling link, a pipe)
};
// Every name a folder holds but "." and "..", in the system's order; lookedUp, when given, is
// set when an entry's kind took a look at the entry itself (a link, whose target may change
// without its folder changing). 0 or the errno.
int ListFolder(const std::filesystem::path& folder, std::vector<Entry>& entries,
               bool* lookedUp = nullptr);

// A folder kept open while many of its files are measured, each looked up from it rather
// than from the root again.
class OpenFolder {
public:
    explicit OpenFolder(const std::filesystem::path& folder);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    // 0 or the errno.
    int Stat(const std::string& name, FileInfo& info) const;

private:
    std::filesystem::path folder_;
    int fd_ = -1; // where the system can hold a folder open
};

// A file open for reading at any offset.
class FileReader {
public:
    // Opens file; a folder opens too (reading it fails), so that Stat can tell it is one.
    explicit FileReader(const std::filesystem::path& file);
    // The same for a path in UTF-8: reading many small files, a path object for each costs
    // more than the reading where the system takes the text as it is.
    explicit FileReader(const std::string& utf8);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool isOpen() const { return error_ == 0; }
    int error() const { return error_; } // why it did not open
    // Reads up to count bytes from offset into bytes; how many it got: fewer at the end of the
    // file or when a read fails.
    std::int64_t ReadAt(std::int64_t offset, std::int64_t count, char* bytes) const;
    int Stat(FileInfo& info) const;

private:
    std::intptr_t handle_ = -1;
    int error_ = 0;
};

} // namespace korvane::host
