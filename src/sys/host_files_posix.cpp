// The host's files on Linux and other POSIX systems.
#include "sys/host_files.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane::host {

namespace {

FileInfo infoOf(const struct stat& status)
{
    return {S_ISDIR(status.st_mode), S_ISREG(status.st_mode),
            static_cast<std::int64_t>(status.st_size), static_cast<std::uint64_t>(status.st_dev)};
}

} // namespace

fs::path PathOf(std::string_view utf8)
{
    return fs::path(utf8);
}

std::string TextOf(const fs::path& path)
{
    return path.string();
}

std::string ErrorText(int error)
{
    return std::generic_category().message(error);
}

int Stat(const fs::path& path, FileInfo& info)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return errno;
    info = infoOf(status);
    return 0;
}

int RemoveFile(const fs::path& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int MakeFolder(const fs::path& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

int Rename(const fs::path& from, const fs::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::optional<Room> RoomOf(fs::path path, int& error)
{
    struct stat status {};
    while (::stat(path.c_str(), &status) != 0) {
        if (!path.has_parent_path() || path.parent_path() == path) {
            error = errno;
            return std::nullopt;
        }
        path = path.parent_path();
    }
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0) {
        error = errno;
        return std::nullopt;
    }
    const auto unit = static_cast<std::int64_t>(volume.f_frsize ? volume.f_frsize : volume.f_bsize);
    return Room{static_cast<std::int64_t>(volume.f_bavail) * unit, unit};
}

int ListFolder(const fs::path& folder, std::vector<Entry>& entries, bool* lookedUp)
{
    // Read with the plain calls: a folder of thousands of calls is listed at every refresh,
    // and the listing gives each entry's type without a look at the entry itself.
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return errno;
    int error = 0;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        const std::string_view name = entry->d_name;
        if (name.empty() || name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            if (lookedUp)
                *lookedUp = true;
            struct stat target; // follows symbolic links; a dangling one is no usable entry
            const bool found = ::fstatat(::dirfd(dir), entry->d_name, &target, 0) == 0;
            isFolder = found && S_ISDIR(target.st_mode);
            isFile = found && S_ISREG(target.st_mode);
        }
        entries.push_back({std::string(name), isFolder, isFolder || isFile});
    }
    ::closedir(dir);
    return error;
}

OpenFolder::OpenFolder(const fs::path& folder)
    : folder_(folder), fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
}

OpenFolder::~OpenFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int OpenFolder::Stat(const std::string& name, FileInfo& info) const
{
    struct stat status;
    const int result = fd_ >= 0 ? ::fstatat(fd_, name.c_str(), &status, 0)
                                : ::stat((folder_ / name).c_str(), &status);
    if (result != 0)
        return errno;
    info = infoOf(status);
    return 0;
}

FileReader::FileReader(const fs::path& file) : FileReader(file.native()) {}

FileReader::FileReader(const std::string& utf8)
{
    // Non-blocking: a pipe or device named like a call must not hold up the program.
    const int fd = ::open(utf8.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    handle_ = fd;
    error_ = fd >= 0 ? 0 : errno;
}

FileReader::~FileReader()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

std::int64_t FileReader::ReadAt(std::int64_t offset, std::int64_t count, char* bytes) const
{
    std::int64_t got = 0;
    while (handle_ >= 0 && got < count) {
        const std::int64_t wanted = count - got;
        const ssize_t n = ::pread(static_cast<int>(handle_), bytes + got,
                                  static_cast<std::size_t>(wanted), offset + got);
        if (n <= 0)
            break;
        got += n;
        if (n < wanted)
            break; // the end of the file: asking again would only say so
    }
    return got;
}

int FileReader::Stat(FileInfo& info) const
{
    struct stat status;
    if (::fstat(static_cast<int>(handle_), &status) != 0)
        return errno;
    info = infoOf(status);
    return 0;
}

} // namespace korvane::host
