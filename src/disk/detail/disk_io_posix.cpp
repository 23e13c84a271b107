// Byte work on host files for the disk layer on POSIX systems: whole reads, kernel copies,
// durable atomic replacement, comparison with what the medium holds.
#include "disk/detail/disk_io.h"

#include "sys/unique_fd.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
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

// A piece of a copy: small enough that a copy to a slow medium can be stopped within a moment.
constexpr std::size_t kPiece = 1 << 18;

// Copies the contents in the kernel where it can (copy_file_range), else through a buffer,
// telling written of every piece. Permissions are not copied: FAT volumes refuse a chmod. 0 or
// the errno of the failure.
int copyContents(int in, int out, const Written& written)
{
    bool copiedAny = false;
    while (true) {
        const ssize_t count = ::copy_file_range(in, nullptr, out, nullptr, kPiece, 0);
        if (count == 0)
            return 0;
        if (count > 0) {
            copiedAny = true;
            if (written && !written(count))
                return ECANCELED;
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
        if (written && !written(count))
            return ECANCELED;
    }
}

constexpr std::string_view kTempPrefix = ".korvane-";

// The computer's boot as this system names it (a random id, new at every start): its first
// eight hex digits, which tell two boots apart but for one chance in four billion; the host's
// name where the system does not say. Short: FAT keeps a long name in pieces of 13 characters,
// and some FAT drivers mishandle names of many pieces.
const std::string& bootMark()
{
    static const std::string mark = [] {
        std::string id;
        std::string bytes;
        if (readWhole("/proc/sys/kernel/random/boot_id", bytes) == 0) {
            for (char c : bytes) {
                if (std::isxdigit(static_cast<unsigned char>(c)) && id.size() < 8)
                    id += c;
            }
        }
        if (id.empty()) {
            char host[256] = {};
            ::gethostname(host, sizeof host - 1);
            for (const char* c = host; *c && id.size() < 8; ++c)
                id += std::isalnum(static_cast<unsigned char>(*c)) ? *c : 'x';
        }
        return id;
    }();
    return mark;
}

// Opens a new temporary file in folder. The name is a dot-name, so a leftover after a crash
// stays out of listings; it carries the boot and the process, so that a later run anywhere
// can tell a leftover from a copy still being written (".korvane-BOOT-PID-N"). The
// descriptor, or none with the errno in error.
UniqueFd openTemp(const fs::path& folder, fs::path& temp, int& error)
{
    static unsigned counter = 0;
    while (true) {
        temp = folder / (std::string(kTempPrefix) + bootMark() + "-" + std::to_string(::getpid()) +
                         "-" + std::to_string(++counter));
        UniqueFd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (out.valid() || errno != EEXIST) {
            error = out.valid() ? 0 : errno;
            return out;
        }
    }
}

// A write that failed because the volume cannot take what was left to write is reported as
// such: some volumes (fusefat) say "Operation not permitted" when they are full.
int roomOrError(int out, std::int64_t total, int error)
{
    if (error == ENOSPC)
        return error;
    const off_t written = ::lseek(out, 0, SEEK_CUR);
    struct statvfs volume {};
    if (written < 0 || ::fstatvfs(out, &volume) != 0)
        return error;
    const auto free =
        static_cast<std::int64_t>(volume.f_bavail) * static_cast<std::int64_t>(volume.f_frsize);
    return volume.f_bavail == 0 || free < total - written ? ENOSPC : error;
}

// Closes the temporary file and renames it over target unless writing it failed; durable: its
// data reaches the medium before the rename and the folder's entry after. On any failure the
// temporary file goes and target stays as it was.
int commitTemp(UniqueFd out, const fs::path& temp, const fs::path& target, int error, bool durable)
{
    if (durable && !error && ::fsync(out.get()) != 0)
        error = errno;
    if (const int closed = out.close(); closed && !error)
        error = closed;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    return durable ? syncFolder(target.parent_path()) : 0;
}

// The checks of a copy and the copy itself into a new temporary file beside the destination,
// left open in out; on failure out is none and no temporary file is left.
CopyResult startCopy(const fs::path& from, const fs::path& to, fs::path& temp, UniqueFd& out,
                     const Written& written)
{
    const UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return {errno, true};
    struct stat source;
    struct stat target;
    CopyResult result;
    if (::fstat(in.get(), &source) != 0)
        result = {errno, true};
    else if (S_ISDIR(source.st_mode))
        result = {EISDIR, true};
    else if (::stat(to.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
        result = {EISDIR, false};
    else if (::stat(to.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
             target.st_ino == source.st_ino)
        result = {EINVAL, false}; // a copy onto the source itself
    if (result.error)
        return result;
    // The copy is made beside the destination and renamed over it, so a copy that fails
    // half-way (a full or pulled-out device) leaves no partial file and keeps an older one.
    UniqueFd fd = openTemp(to.parent_path(), temp, result.error);
    if (!fd.valid())
        return result;
    result.error = copyContents(in.get(), fd.get(), written);
    if (result.error) {
        if (result.error != ECANCELED)
            result.error = roomOrError(fd.get(), source.st_size, result.error);
        fd.close();
        ::unlink(temp.c_str());
        return result;
    }
    out = std::move(fd);
    return result;
}

// Reads up to size bytes, fewer only at the end of the file; the count or -1 with errno.
ssize_t readFully(int fd, char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(fd, data + done, size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        done += static_cast<std::size_t>(count);
    }
    return static_cast<ssize_t>(done);
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

CopyResult copyFile(const fs::path& from, const fs::path& to, const Written& written)
{
    fs::path temp;
    UniqueFd out;
    CopyResult result = startCopy(from, to, temp, out, written);
    if (result.error)
        return result;
    result.error = commitTemp(std::move(out), temp, to, 0, true);
    return result;
}

CopyResult copyToTemp(const fs::path& from, const fs::path& to, fs::path& temp,
                      const Written& written)
{
    UniqueFd out;
    CopyResult result = startCopy(from, to, temp, out, written);
    if (result.error)
        return result;
    if ((result.error = out.close()) != 0)
        ::unlink(temp.c_str());
    return result;
}

int replaceFile(const fs::path& target, std::string_view bytes)
{
    fs::path temp;
    int error = 0;
    UniqueFd out = openTemp(target.parent_path(), temp, error);
    if (!out.valid())
        return error;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // Best effort: volumes without permissions (FAT) refuse it, and the file is
        // still correct without it.
        [[maybe_unused]] const int ignored = ::fchmod(out.get(), old.st_mode & 07777);
    }
    error = writeAll(out.get(), bytes.data(), bytes.size());
    if (error)
        error = roomOrError(out.get(), static_cast<std::int64_t>(bytes.size()), error);
    return commitTemp(std::move(out), temp, target, error, true);
}

int removeLeftovers(const fs::path& folder)
{
    int removed = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kTempPrefix))
            continue;
        // ".korvane-BOOT-PID-N": only a process of this boot that still runs may be writing
        // it. Another boot's, this computer's earlier or another computer's, is a leftover
        // whatever process has that id now; so is a name of the older form ".korvane-PID-N".
        const std::string_view mark = std::string_view(name).substr(kTempPrefix.size());
        if (mark.starts_with(bootMark() + "-")) {
            const pid_t pid = static_cast<pid_t>(std::atol(mark.data() + bootMark().size() + 1));
            if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM)
                continue;
        }
        if (::unlink(entry.path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

int syncFolder(const fs::path& folder)
{
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    // A folder one may write into but not read cannot be opened to be flushed: the file's data
    // is already on the medium, and its name follows with the file system's next commit.
    if (!fd.valid())
        return errno == EACCES ? 0 : errno;
    // A file system that cannot flush a folder on its own says so; there is nothing more to do.
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP && errno != ENOSYS)
        return errno;
    return 0;
}

Comparison compareFromMedium(const fs::path& source, const fs::path& onMedium)
{
    const UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return {errno, true, false};
    const UniqueFd copy(::open(onMedium.c_str(), O_RDONLY | O_CLOEXEC));
    if (!copy.valid())
        return {errno, false, false};
    // The copy was flushed before (a flush per file here would cost a journal commit each), so
    // its pages are clean and can all be dropped.
    ::posix_fadvise(copy.get(), 0, 0, POSIX_FADV_DONTNEED);
    ::posix_fadvise(copy.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    constexpr std::size_t kChunk = 1 << 20;
    const auto a = std::make_unique<char[]>(kChunk);
    const auto b = std::make_unique<char[]>(kChunk);
    Comparison result{0, false, true};
    while (true) {
        const ssize_t wanted = readFully(in.get(), a.get(), kChunk);
        if (wanted < 0) {
            result = {errno, true, false};
            break;
        }
        const ssize_t got = readFully(copy.get(), b.get(), kChunk);
        if (got < 0) {
            result = {errno, false, false};
            break;
        }
        if (got != wanted || std::memcmp(a.get(), b.get(), static_cast<std::size_t>(got)) != 0) {
            result.same = false;
            break;
        }
        if (got == 0)
            break;
    }
    // The pages read back are not kept: they would only push out what the user works with.
    ::posix_fadvise(copy.get(), 0, 0, POSIX_FADV_DONTNEED);
    return result;
}

int syncFileSystem(const fs::path& folder)
{
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    if (!fd.valid())
        return errno;
    return ::syncfs(fd.get()) != 0 ? errno : 0;
}

} // namespace korvane::disk_io
