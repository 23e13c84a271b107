// Byte work on host files for the disk layer: whole reads, kernel copies, atomic replacement.
#include "platform/disk_io.h"

#include "platform/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane::disk_io {

namespace {

// Writes all bytes to fd; 0 or the errno of the failure.
int writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t count = ::write(fd, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return 0;
}

// Copies the contents in the kernel where it can (copy_file_range), else through a buffer.
// Permissions are not copied: FAT volumes refuse a chmod. 0 or the errno of the failure.
int copyContents(int in, int out)
{
    bool copiedAny = false;
    while (true) {
        const ssize_t count = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (count == 0)
            return 0;
        if (count > 0) {
            copiedAny = true;
            continue;
        }
        if (errno == EINTR)
            continue;
        const bool unsupported = errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                                 errno == EOPNOTSUPP || errno == EBADF;
        if (!unsupported || copiedAny)
            return errno;
        break;
    }
    char buffer[1 << 16];
    while (true) {
        const ssize_t count = ::read(in, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        if (count == 0)
            return 0;
        if (const int error = writeAll(out, buffer, static_cast<std::size_t>(count)))
            return error;
    }
}

// Opens a new temporary file in folder. The name is a dot-name, so a leftover after a crash
// stays out of listings. The descriptor, or -1 with the errno in error.
int openTemp(const fs::path& folder, fs::path& temp, int& error)
{
    static unsigned counter = 0;
    while (true) {
        temp =
            folder / (".korvane-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out >= 0 || errno != EEXIST) {
            error = out >= 0 ? 0 : errno;
            return out;
        }
    }
}

// Closes the temporary file and renames it over target unless writing it failed; on any
// failure the temporary file goes and target stays as it was.
int commitTemp(int out, const fs::path& temp, const fs::path& target, int error)
{
    if (::close(out) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error)
        ::unlink(temp.c_str());
    return error;
}

} // namespace

int readWhole(const fs::path& file, std::string& bytes)
{
    const UniqueFd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return errno;
    bytes.clear();
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(in.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        if (count == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

CopyResult copyFile(const fs::path& from, const fs::path& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return {errno, true};
    struct stat source;
    struct stat target;
    CopyResult result;
    if (::fstat(in, &source) != 0)
        result = {errno, true};
    else if (S_ISDIR(source.st_mode))
        result = {EISDIR, true};
    else if (::stat(to.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
        result = {EISDIR, false};
    else if (::stat(to.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
             target.st_ino == source.st_ino)
        result = {EINVAL, false}; // a copy onto the source itself
    if (result.error) {
        ::close(in);
        return result;
    }
    // The copy is made beside the destination and renamed over it, so a copy that fails
    // half-way (a full or pulled-out device) leaves no partial file and keeps an older one.
    fs::path temp;
    const int out = openTemp(to.parent_path(), temp, result.error);
    if (out < 0) {
        ::close(in);
        return result;
    }
    result.error = copyContents(in, out);
    ::close(in);
    result.error = commitTemp(out, temp, to, result.error);
    return result;
}

int replaceFile(const fs::path& target, std::string_view bytes)
{
    fs::path temp;
    int error = 0;
    const int out = openTemp(target.parent_path(), temp, error);
    if (out < 0)
        return error;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // Best effort: volumes without permissions (FAT) refuse it, and the file is
        // still correct without it.
        [[maybe_unused]] const int ignored = ::fchmod(out, old.st_mode & 07777);
    }
    return commitTemp(out, temp, target, writeAll(out, bytes.data(), bytes.size()));
}

int syncFileSystem(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
    if (fd < 0)
        return errno;
    int error = 0;
    if (::syncfs(fd) != 0)
        error = errno;
    ::close(fd);
    return error;
}

} // namespace korvane::disk_io
