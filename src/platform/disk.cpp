// The disk layer: Windows-style paths over the drive map, resolved component by component
// without regard to case, and the file operations the logic uses, each failing with the OS text.
#include "platform/disk.h"

#include "platform/errors.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string osText(int error)
{
    return std::generic_category().message(error);
}

// A Windows path made absolute, with "." and ".." applied to the text as Windows applies them
// (before anything is looked up) and repeated separators taken as one.
struct WinPath {
    char drive = 'c';
    std::vector<std::string> parts; // below the root
    bool listsFolder = false;       // ends with a separator, or is a bare "e:"
};

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

WinPath parse(const Disk& disk, std::string_view text)
{
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

// Sorts names by the ordinal comparison of their lower-cased forms; names that differ only
// in case keep a fixed order among themselves.
template <typename T, typename NameOf> void sortByLowerName(std::vector<T>& items, NameOf nameOf)
{
    std::vector<std::pair<std::string, T>> keyed;
    keyed.reserve(items.size());
    for (T& item : items)
        keyed.emplace_back(LowerCase(nameOf(item)), std::move(item));
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : nameOf(a.second) < nameOf(b.second);
    });
    items.clear();
    for (auto& [key, item] : keyed)
        items.push_back(std::move(item));
}

// The name under which folder stores name: the exact name when it is there, else the first
// of the names that differ from it only in case. The folder is read even when the exact name
// exists, because on a case-blind volume (FAT) the exact lookup succeeds for any case.
std::optional<std::string> storedName(const fs::path& folder, const std::string& name)
{
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

struct Resolved {
    fs::path host;
    std::vector<std::string> names; // as stored where they exist, the rest as written
    bool exists = false;            // every component exists
};

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

// Resolves a path for an operation that needs its drive: an unknown drive fails like a drive
// without a medium.
Resolved resolveFor(const std::vector<DriveMapping>& drives, const WinPath& path,
                    const char* operation, const std::string& where)
{
    const DriveMapping* drive = findDrive(drives, path.drive);
    if (!drive)
        throw PlatformError(operation, where, osText(ENODEV));
    return resolve(*drive, path.parts);
}

struct Entry {
    std::string name;
    bool folder = false;
};

// The entries a listing shows, sorted without regard to case. Dot-names are hidden entries
// on this platform and stay out, as hidden files stay out of a listing on Windows.
std::vector<Entry> readFolder(const fs::path& folder, std::error_code& error)
{
    std::vector<Entry> entries;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        const fs::file_status status = it->status(typeError); // follows symbolic links
        if (typeError)
            continue; // a dangling link is no entry one could open
        if (fs::is_directory(status) || fs::is_regular_file(status))
            entries.push_back({std::move(name), fs::is_directory(status)});
    }
    sortByLowerName(entries, [](const Entry& entry) -> const std::string& { return entry.name; });
    return entries;
}

std::vector<std::string> listNames(const fs::path& folder, bool folders, std::string_view pattern,
                                   const std::string& where)
{
    std::error_code error;
    const std::vector<Entry> entries = readFolder(folder, error);
    if (error)
        throw PlatformError("open folder", where, error.message());
    std::vector<std::string> names;
    for (const Entry& entry : entries) {
        if (entry.folder == folders && WildcardMatch(pattern, entry.name))
            names.push_back(entry.name);
    }
    return names;
}

std::string readWhole(const fs::path& host, const std::string& where)
{
    const int in = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw PlatformError("read", where, osText(errno));
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(in, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int error = errno;
            ::close(in);
            throw PlatformError("read", where, osText(error));
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(in);
    return bytes;
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

int copyFile(const fs::path& from, const fs::path& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat source;
    struct stat target;
    int error = 0;
    if (::fstat(in, &source) != 0)
        error = errno;
    else if (S_ISDIR(source.st_mode))
        error = EISDIR;
    else if (::stat(to.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
             target.st_ino == source.st_ino)
        error = EINVAL; // opening the destination would truncate the source
    if (error) {
        ::close(in);
        return error;
    }
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        error = errno;
        ::close(in);
        return error;
    }
    error = copyContents(in, out);
    ::close(in);
    if (::close(out) != 0 && !error)
        error = errno;
    return error;
}

// fsync of one file or folder; 0 or the errno. A file system that cannot sync a folder says
// EINVAL, which means there is nothing to force.
int syncPath(const fs::path& host, bool folder)
{
    const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    ::close(fd);
    return error;
}

} // namespace

Disk::Disk(std::vector<DriveMapping> drives) : drives_(std::move(drives))
{
    for (DriveMapping& drive : drives_)
        drive.letter = lowerLetter(drive.letter);
    if (!HasDrive('c') && !drives_.empty())
        currentDrive_ = drives_.front().letter;
}

bool Disk::HasDrive(char letter) const
{
    return findDrive(drives_, letter) != nullptr;
}

std::string Disk::DriveEntry(char letter) const
{
    std::string entry{lowerLetter(letter), ':'};
    const DriveMapping* drive = findDrive(drives_, letter);
    if (drive && !drive->label.empty())
        entry += " [" + drive->label + "]";
    return entry;
}

void Disk::ChDrive(std::string_view spec)
{
    const char letter = spec.empty() ? '?' : lowerLetter(spec.front());
    const std::string where{letter, ':'};
    const DriveMapping* drive = findDrive(drives_, letter);
    if (!drive)
        throw PlatformError("open drive", where, osText(ENODEV));
    // A volume pulled out leaves its mapping behind; changing to it fails as a drive
    // without a medium does.
    struct stat info;
    if (::stat(normalRoot(drive->hostRoot).c_str(), &info) != 0)
        throw PlatformError("open drive", where, osText(errno));
    currentDrive_ = letter;
}

std::string Disk::CurDir(char letter) const
{
    letter = lowerLetter(letter);
    for (const auto& [drive, folder] : currentFolders_) {
        if (drive == letter && !folder.empty())
            return std::string{letter, ':'} + folder;
    }
    return std::string{letter, ':', '\\'}; // a drive not yet visited stands at its root
}

void Disk::ChDir(std::string_view path)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    const Resolved resolved = resolveFor(drives_, target, "open folder", where);
    struct stat info;
    if (!resolved.exists || ::stat(resolved.host.c_str(), &info) != 0)
        throw PlatformError("open folder", where, osText(resolved.exists ? errno : ENOENT));
    if (!S_ISDIR(info.st_mode))
        throw PlatformError("open folder", where, osText(ENOTDIR));
    // Kept with the case as stored, so CurDir shows what the disk holds.
    std::string folder;
    for (const std::string& name : resolved.names)
        folder += '\\' + name;
    for (auto& [drive, current] : currentFolders_) {
        if (drive == target.drive) {
            current = folder;
            return;
        }
    }
    currentFolders_.emplace_back(target.drive, folder);
}

std::string Disk::Probe(std::string_view path) const
{
    if (path.empty())
        return "";
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive)
        return "";
    const bool wildcard =
        !target.parts.empty() && target.parts.back().find_first_of("*?") != std::string::npos;
    if (!wildcard && !target.listsFolder && !target.parts.empty()) {
        const Resolved resolved = resolve(*drive, target.parts);
        return resolved.exists ? resolved.names.back() : "";
    }
    // A root, a folder with a trailing separator or a wildcard: the first entry of a listing.
    std::vector<std::string> folderParts = target.parts;
    std::string pattern = "*";
    if (wildcard) {
        pattern = folderParts.back();
        folderParts.pop_back();
    }
    const Resolved folder = resolve(*drive, folderParts);
    std::error_code error;
    if (!folder.exists || !fs::is_directory(folder.host, error))
        return "";
    // Windows lists "." and ".." first in every folder but a root.
    if (!folderParts.empty()) {
        for (const char* dots : {".", ".."}) {
            if (WildcardMatch(pattern, dots))
                return dots;
        }
    }
    for (const Entry& entry : readFolder(folder.host, error)) {
        if (WildcardMatch(pattern, entry.name))
            return entry.name;
    }
    return "";
}

bool Disk::FolderExists(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive)
        return false;
    const Resolved resolved = resolve(*drive, target.parts);
    std::error_code error;
    return resolved.exists && fs::is_directory(resolved.host, error);
}

std::int64_t Disk::FileLen(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("length", where);
    const Resolved resolved = resolveFor(drives_, target, "measure", where);
    struct stat info;
    if (::stat(resolved.host.c_str(), &info) != 0)
        throw PlatformError("measure", where, osText(errno));
    if (S_ISDIR(info.st_mode))
        throw PlatformError("measure", where, osText(EISDIR));
    return info.st_size;
}

std::vector<std::string> Disk::ListFiles(std::string_view folder, std::string_view pattern) const
{
    const WinPath target = parse(*this, folder);
    const std::string where = format(target);
    checkFault("read", where);
    const Resolved resolved = resolveFor(drives_, target, "open folder", where);
    return listNames(resolved.host, false, pattern, where);
}

std::vector<std::string> Disk::ListFolders(std::string_view folder) const
{
    const WinPath target = parse(*this, folder);
    const std::string where = format(target);
    checkFault("read", where);
    const Resolved resolved = resolveFor(drives_, target, "open folder", where);
    return listNames(resolved.host, true, "*", where);
}

std::vector<std::string> Disk::ReadLines(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("read", where);
    return splitLines(readWhole(resolveFor(drives_, target, "read", where).host, where));
}

std::string Disk::ReadBytes(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("read", where);
    return readWhole(resolveFor(drives_, target, "read", where).host, where);
}

void Disk::FileCopy(std::string_view source, std::string_view destination)
{
    const WinPath to = parse(*this, destination);
    const std::string where = format(to);
    checkFault("copy", where);
    const Resolved from = resolveFor(drives_, parse(*this, source), "copy to", where);
    const Resolved resolvedTo = resolveFor(drives_, to, "copy to", where);
    if (const int error = copyFile(from.host, resolvedTo.host))
        throw PlatformError("copy to", where, osText(error));
}

void Disk::Kill(std::string_view path)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("delete", where);
    const Resolved resolved = resolveFor(drives_, target, "delete", where);
    if (::unlink(resolved.host.c_str()) != 0)
        throw PlatformError("delete", where, osText(errno));
}

void Disk::MkDir(std::string_view path)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("mkdir", where);
    const Resolved resolved = resolveFor(drives_, target, "make folder", where);
    if (::mkdir(resolved.host.c_str(), 0777) != 0)
        throw PlatformError("make folder", where, osText(errno));
}

void Disk::WriteBytes(std::string_view path, std::string_view bytes)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("write", where);
    if (target.parts.empty())
        throw PlatformError("write", where, osText(EISDIR));
    // An existing file keeps its stored name; a new one gets the case given.
    const Resolved resolved = resolveFor(drives_, target, "write", where);

    // The temporary file is a dot-name, so a leftover after a crash stays out of listings.
    static unsigned counter = 0;
    fs::path temp;
    int out = -1;
    while (out < 0) {
        temp = resolved.host.parent_path() /
               (".korvane-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out < 0 && errno != EEXIST)
            throw PlatformError("write", where, osText(errno));
    }
    struct stat old;
    if (::stat(resolved.host.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // Best effort: volumes without permissions (FAT) refuse it, and the file is
        // still correct without it.
        [[maybe_unused]] const int ignored = ::fchmod(out, old.st_mode & 07777);
    }
    int error = writeAll(out, bytes.data(), bytes.size());
    if (::close(out) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), resolved.host.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        throw PlatformError("write", where, osText(error));
    }
}

void Disk::Flush(const std::vector<std::string>& paths)
{
    std::vector<std::pair<fs::path, std::string>> folders;
    for (const std::string& path : paths) {
        const WinPath target = parse(*this, path);
        const std::string where = format(target);
        const Resolved resolved = resolveFor(drives_, target, "write", where);
        if (const int error = syncPath(resolved.host, false))
            throw PlatformError("write", where, osText(error));
        const fs::path folder = resolved.host.parent_path();
        const bool seen = std::any_of(folders.begin(), folders.end(),
                                      [&](const auto& known) { return known.first == folder; });
        if (!seen && !target.parts.empty()) {
            std::vector<std::string> folderParts = target.parts;
            folderParts.pop_back();
            folders.emplace_back(folder, format(target.drive, folderParts));
        }
    }
    for (const auto& [folder, where] : folders) {
        if (const int error = syncPath(folder, true))
            throw PlatformError("write", where, osText(error));
    }
}

std::optional<std::string> Disk::HostPath(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive)
        return std::nullopt;
    return resolve(*drive, target.parts).host.string();
}

std::optional<std::string> Disk::WindowsPath(std::string_view hostPath) const
{
    fs::path host(hostPath);
    if (!host.is_absolute()) {
        std::error_code error;
        host = fs::absolute(host, error);
        if (error)
            return std::nullopt;
    }
    const std::string text = normalRoot(host.string());
    const DriveMapping* best = nullptr;
    std::string bestRoot;
    for (const DriveMapping& drive : drives_) {
        const std::string root = normalRoot(drive.hostRoot);
        const bool inside =
            text == root || root == "/" || (text.starts_with(root) && text[root.size()] == '/');
        if (inside && (!best || root.size() > bestRoot.size())) {
            best = &drive;
            bestRoot = root;
        }
    }
    if (!best)
        return std::nullopt;
    std::string rest = text.substr(bestRoot.size());
    while (!rest.empty() && rest.front() == '/')
        rest.erase(0, 1);
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string{best->letter, ':', '\\'} + rest;
}

std::string Disk::Absolute(std::string_view path) const
{
    return format(parse(*this, path));
}

void Disk::checkFault(std::string_view operation, const std::string& path) const
{
    if (faultHook_)
        faultHook_(operation, path);
}

} // namespace korvane
