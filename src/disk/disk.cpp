// The disk layer: Windows-style paths over the drive map, resolved component by component
// without regard to case, and the file operations the logic uses, each failing with the OS text.
#include "disk/disk.h"

#include "disk/detail/disk_io.h"
#include "disk/detail/disk_paths.h"
#include "sys/ascii.h"
#include "sys/errors.h"
#include "sys/host_files.h"
#include "sys/text.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace korvane {

using namespace disk_paths;

namespace {

std::vector<std::string> listNames(FolderIndexes& indexes, const fs::path& folder, bool folders,
                                   std::string_view pattern, const std::string& where)
{
    std::error_code error;
    const std::vector<Entry> entries = indexes.list(folder, error);
    if (error)
        throw PlatformError("open folder", where, osText(error.value()));
    std::vector<std::string> names;
    for (const Entry& entry : entries) {
        if (entry.folder == folders && WildcardMatch(pattern, entry.name))
            names.push_back(entry.name);
    }
    return names;
}

} // namespace

namespace disk_io {

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

} // namespace disk_io

Disk::Disk(std::vector<DriveMapping> drives)
    : drives_(std::move(drives)), indexes_(std::make_shared<FolderIndexes>())
{
    for (DriveMapping& drive : drives_)
        drive.letter = LowerAsciiLetter(drive.letter);
    if (!HasDrive('c') && !drives_.empty())
        currentDrive_ = drives_.front().letter;
}

bool Disk::HasDrive(char letter) const
{
    return findDrive(drives_, letter) != nullptr;
}

std::string Disk::DriveEntry(char letter) const
{
    std::string entry{LowerAsciiLetter(letter), ':'};
    const DriveMapping* drive = findDrive(drives_, letter);
    if (drive && !drive->label.empty())
        entry += " [" + drive->label + "]";
    return entry;
}

void Disk::ChDrive(std::string_view which)
{
    const char letter = which.empty() ? '?' : LowerAsciiLetter(which.front());
    const std::string where{letter, ':'};
    const DriveMapping* drive = findDrive(drives_, letter);
    if (!drive)
        throw PlatformError("open drive", where, osText(ENODEV));
    // A volume pulled out leaves its mapping behind; changing to it fails as a drive
    // without a medium does.
    host::FileInfo info;
    if (const int error = host::Stat(host::PathOf(normalRoot(drive->hostRoot)), info))
        throw PlatformError("open drive", where, osText(error));
    currentDrive_ = letter;
}

void Disk::RefreshDrives()
{
    if (!driveRefresh_)
        return;
    std::vector<DriveMapping> drives = driveRefresh_(drives_);
    for (DriveMapping& drive : drives)
        drive.letter = LowerAsciiLetter(drive.letter);
    std::erase_if(currentFolders_, [&](const auto& entry) {
        const DriveMapping* before = findDrive(drives_, entry.first);
        const DriveMapping* after = findDrive(drives, entry.first);
        return !before || !after || before->hostRoot != after->hostRoot;
    });
    // The current drive stays even when its volume went: using it fails as a drive without a
    // medium does, as when the volume is pulled out between two refreshes.
    drives_ = std::move(drives);
}

std::string Disk::CurDir(char letter) const
{
    letter = LowerAsciiLetter(letter);
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
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "open folder", where);
    host::FileInfo info;
    const int error = resolved.exists ? host::Stat(resolved.host, info) : ENOENT;
    if (error)
        throw PlatformError("open folder", where, osText(error));
    if (!info.folder)
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
        const Resolved resolved = resolve(*drive, target.parts, *indexes_);
        return resolved.exists ? resolved.names.back() : "";
    }
    // A root, a folder with a trailing separator or a wildcard: the first entry of a listing.
    std::vector<std::string> folderParts = target.parts;
    std::string pattern = "*";
    if (wildcard) {
        pattern = folderParts.back();
        folderParts.pop_back();
    }
    const Resolved folder = resolve(*drive, folderParts, *indexes_);
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
    const Resolved resolved = resolve(*drive, target.parts, *indexes_);
    std::error_code error;
    return resolved.exists && fs::is_directory(resolved.host, error);
}

std::int64_t Disk::FileLen(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("length", where);
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "measure", where);
    host::FileInfo info;
    if (const int error = host::Stat(resolved.host, info))
        throw PlatformError("measure", where, osText(error));
    if (info.folder)
        throw PlatformError("measure", where, osText(EISDIR));
    return info.size;
}

void Disk::MeasureFiles(std::string_view folder, const std::vector<std::string>& names,
                        const std::function<void(std::size_t, std::int64_t)>& measured) const
{
    const WinPath inside = parse(*this, folder);
    const DriveMapping* drive = findDrive(drives_, inside.drive);
    Resolved resolvedFolder;
    if (drive)
        resolvedFolder = resolve(*drive, inside.parts, *indexes_);
    const bool indexed = drive && resolvedFolder.exists;
    // Each file is looked up from the folder itself, not from the root again.
    std::optional<host::OpenFolder> open;
    if (indexed)
        open.emplace(resolvedFolder.host);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        // A name that is not one plain component of this folder takes the general way.
        const bool plain = !name.empty() && name != "." && name != ".." &&
                           name.find_first_of("\\/") == std::string::npos;
        if (!indexed || !plain) {
            measured(i, FileLen(std::string(folder) + "\\" + name));
            continue;
        }
        // The path as messages and the fault hook name it, made only when they need it.
        const auto where = [&inside, &name] {
            WinPath target = inside;
            target.parts.push_back(name);
            return format(target);
        };
        if (faultHook_)
            checkFault("length", where());
        // The name as written is looked at first. Where it names something, that is the entry
        // the folder stores under it: a folder that tells cases apart holds the name as
        // written, one that does not holds one entry for every case of it. Only a name that
        // is not there as written needs the folder's index for its stored case.
        host::FileInfo info;
        if (open->Stat(name, info) != 0) {
            const std::string stored =
                indexes_->storedName(resolvedFolder.host, name).value_or(name);
            if (const int error = open->Stat(stored, info))
                throw PlatformError("measure", where(), osText(error));
        }
        if (info.folder)
            throw PlatformError("measure", where(), osText(EISDIR));
        measured(i, info.size);
    }
}

std::vector<std::string> Disk::ListFiles(std::string_view folder, std::string_view pattern) const
{
    const WinPath target = parse(*this, folder);
    const std::string where = format(target);
    checkFault("read", where);
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "open folder", where);
    return listNames(*indexes_, resolved.host, false, pattern, where);
}

std::vector<std::string> Disk::ListFolders(std::string_view folder) const
{
    const WinPath target = parse(*this, folder);
    const std::string where = format(target);
    checkFault("read", where);
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "open folder", where);
    return listNames(*indexes_, resolved.host, true, "*", where);
}

std::vector<std::string> Disk::ReadLines(std::string_view path) const
{
    return disk_io::splitLines(ReadBytes(path));
}

std::string Disk::ReadBytes(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("read", where);
    std::string bytes;
    if (const int error =
            disk_io::readWhole(resolveFor(drives_, *indexes_, target, "read", where).host, bytes))
        throw PlatformError("read", where, osText(error));
    return bytes;
}

CopyEnds Disk::copyEnds(std::string_view source, std::string_view destination) const
{
    const WinPath to = parse(*this, destination);
    CopyEnds ends;
    ends.where = format(to);
    checkFault("copy", ends.where);
    const WinPath from = parse(*this, source);
    ends.fromWhere = format(from);
    ends.from = resolveFor(drives_, *indexes_, from, "read", ends.fromWhere);
    ends.to = resolveFor(drives_, *indexes_, to, "copy to", ends.where);
    return ends;
}

void Disk::FileCopy(std::string_view source, std::string_view destination)
{
    const CopyEnds ends = copyEnds(source, destination);
    disk_io::Written paced;
    if (paceHook_)
        paced = [&](std::int64_t bytes) { return paceHook_(ends.where, bytes), true; };
    const disk_io::CopyResult result = disk_io::copyFile(ends.from.host, ends.to.host, paced);
    ends.check(result.error, result.sourceFailed);
    indexes_->created(ends.to.host);
    tellWritten(ends.where, host::TextOf(ends.to.host));
}

void Disk::Kill(std::string_view path)
{
    remove(path, false);
}

void Disk::Recycle(std::string_view path)
{
    remove(path, true);
}

void Disk::remove(std::string_view path, bool toTrash)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("delete", where);
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "delete", where);
    host::FileInfo info;
    // Only a plain file goes to the trash; anything else fails to delete as it always did.
    const bool trashed = toTrash && trash_ && host::Stat(resolved.host, info) == 0 && info.file &&
                         trash_->take(resolved.host);
    if (!trashed) {
        if (const int error = host::RemoveFile(resolved.host))
            throw PlatformError("delete", where, osText(error));
    }
    indexes_->removed(resolved.host);
}

void Disk::MkDir(std::string_view path)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("mkdir", where);
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "make folder", where);
    if (const int error = host::MakeFolder(resolved.host))
        throw PlatformError("make folder", where, osText(error));
    indexes_->created(resolved.host);
}

void Disk::WriteBytes(std::string_view path, std::string_view bytes)
{
    write(path, bytes, false);
}

void Disk::WriteBytesKeepingOld(std::string_view path, std::string_view bytes)
{
    write(path, bytes, true);
}

void Disk::write(std::string_view path, std::string_view bytes, bool keepOld)
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    checkFault("write", where);
    if (target.parts.empty())
        throw PlatformError("write", where, osText(EISDIR));
    // An existing file keeps its stored name; a new one gets the case given.
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "write", where);
    host::FileInfo old;
    if (keepOld && trash_ && host::Stat(resolved.host, old) == 0 && old.file && old.size > 0)
        trash_->take(resolved.host); // where no trash takes it, it is overwritten as before
    if (const int error = disk_io::replaceFile(resolved.host, bytes))
        throw PlatformError("write", where, osText(error));
    if (paceHook_)
        paceHook_(where, static_cast<std::int64_t>(bytes.size()));
    tellWritten(where, host::TextOf(resolved.host));
    indexes_->created(resolved.host);
}

void Disk::Wrote(const std::string& hostPath) const
{
    indexes_->created(host::PathOf(hostPath));
}

void Disk::ForgetFolders() const
{
    indexes_->forget();
}

std::optional<std::string> Disk::HostPath(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive)
        return std::nullopt;
    return host::TextOf(resolve(*drive, target.parts, *indexes_).host);
}

std::optional<std::string> Disk::WindowsPath(std::string_view hostPath) const
{
    fs::path host = host::PathOf(hostPath);
    if (!host.is_absolute()) {
        std::error_code error;
        host = fs::absolute(host, error);
        if (error)
            return std::nullopt;
    }
    const auto separator = static_cast<char>(fs::path::preferred_separator);
    const std::string text = normalRoot(host::TextOf(host));
    const DriveMapping* best = nullptr;
    std::string bestRoot;
    for (const DriveMapping& drive : drives_) {
        const std::string root = normalRoot(drive.hostRoot);
        // A bare root ("/", "C:\") ends with its separator; a folder is followed by one.
        const bool bare = !root.empty() && root.back() == separator;
        const bool inside =
            text == root || (text.starts_with(root) && (bare || text[root.size()] == separator));
        if (inside && (!best || root.size() > bestRoot.size())) {
            best = &drive;
            bestRoot = root;
        }
    }
    if (!best)
        return std::nullopt;
    std::string rest = text.substr(bestRoot.size());
    while (!rest.empty() && rest.front() == separator)
        rest.erase(0, 1);
    std::replace(rest.begin(), rest.end(), separator, '\\');
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

void Disk::tellWritten(const std::string& path, const std::string& host) const
{
    if (writtenHook_)
        writtenHook_(path, host);
}

} // namespace korvane
