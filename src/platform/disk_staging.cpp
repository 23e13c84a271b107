// Many copies made durable together, the room a volume has, and reading back what a medium
// holds: the disk layer's part of an upload the user can unplug the device after.
#include "platform/disk.h"

#include "platform/disk_io.h"
#include "platform/disk_paths.h"
#include "platform/errors.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane {

using namespace disk_paths;

namespace {

// The room of the volume that holds host, read on the nearest folder that exists.
std::optional<VolumeSpace> hostSpace(fs::path host)
{
    struct stat info {};
    while (::stat(host.c_str(), &info) != 0) {
        if (!host.has_parent_path() || host.parent_path() == host)
            return std::nullopt;
        host = host.parent_path();
    }
    struct statvfs volume {};
    if (::statvfs(host.c_str(), &volume) != 0)
        return std::nullopt;
    const auto unit = static_cast<std::int64_t>(volume.f_frsize ? volume.f_frsize : volume.f_bsize);
    return VolumeSpace{static_cast<std::int64_t>(volume.f_bavail) * unit, unit};
}

} // namespace

StagedCopy Disk::StageCopy(std::string_view source, std::string_view destination)
{
    const WinPath to = parse(*this, destination);
    const std::string where = format(to);
    checkFault("copy", where);
    const WinPath from = parse(*this, source);
    const Resolved resolvedFrom = resolveFor(drives_, *indexes_, from, "read", format(from));
    const Resolved resolvedTo = resolveFor(drives_, *indexes_, to, "copy to", format(to));
    fs::path temp;
    const disk_io::CopyResult result =
        disk_io::copyToTemp(resolvedFrom.host, resolvedTo.host, temp);
    if (result.error && result.sourceFailed)
        throw PlatformError("read", format(from), osText(result.error));
    if (result.error)
        throw PlatformError("copy to", where, osText(result.error));
    indexes_->created(temp); // the folder's own change: no reason to read it again
    return {std::string(source), where, resolvedTo.host.string(), temp.string(), false};
}

void Disk::Publish(std::vector<StagedCopy>& copies)
{
    // One flush per volume writes every copy's data before any of them takes its real name.
    std::vector<dev_t> volumes;
    for (const StagedCopy& copy : copies) {
        if (copy.published)
            continue;
        const fs::path folder = fs::path(copy.hostTemp).parent_path();
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0)
            throw PlatformError("copy to", copy.destination, osText(errno));
        if (std::find(volumes.begin(), volumes.end(), info.st_dev) != volumes.end())
            continue;
        if (const int error = disk_io::syncFileSystem(folder))
            throw PlatformError("copy to", copy.destination, osText(error));
        volumes.push_back(info.st_dev);
    }

    std::vector<StagedCopy*> renamed;
    // The folders of the copies renamed so far are flushed even when a later rename fails: the
    // names already given must last.
    auto flushFolders = [&](bool report) {
        std::vector<fs::path> folders;
        for (const StagedCopy* copy : renamed) {
            const fs::path folder = fs::path(copy->hostTarget).parent_path();
            if (std::find(folders.begin(), folders.end(), folder) != folders.end())
                continue;
            folders.push_back(folder);
            const int error = disk_io::syncFolder(folder);
            if (error && report)
                throw PlatformError("copy to", copy->destination, osText(error));
        }
        for (const StagedCopy* copy : renamed)
            tellWritten(copy->destination, copy->hostTarget);
    };
    for (StagedCopy& copy : copies) {
        if (copy.published)
            continue;
        if (::rename(copy.hostTemp.c_str(), copy.hostTarget.c_str()) != 0) {
            const int error = errno;
            flushFolders(false);
            const std::optional<VolumeSpace> room = hostSpace(copy.hostTemp);
            // FAT refuses some names only now, when the copy takes its name; fusefat says so
            // with "Operation not permitted", as it does for a full volume.
            std::string text = osText(error);
            if (room && room->freeBytes == 0)
                text = osText(ENOSPC);
            else if (error == EPERM || error == EINVAL || error == EILSEQ)
                text = "the device does not accept this file name (" + text + ")";
            throw PlatformError("copy to", copy.destination, text);
        }
        indexes_->removed(copy.hostTemp);
        indexes_->created(copy.hostTarget);
        copy.published = true;
        renamed.push_back(&copy);
    }
    flushFolders(true);
}

void Disk::Discard(const StagedCopy& copy) noexcept
{
    if (!copy.published && !copy.hostTemp.empty() && ::unlink(copy.hostTemp.c_str()) == 0)
        indexes_->removed(copy.hostTemp);
}

void Disk::RemoveLeftovers(std::string_view folder)
{
    const WinPath target = parse(*this, folder);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive)
        return;
    const Resolved resolved = resolve(*drive, target.parts, *indexes_);
    if (resolved.exists && disk_io::removeLeftovers(resolved.host) > 0) {
        // Best effort: the leftovers hold no one's data, and the upload flushes the folder.
        [[maybe_unused]] const int ignored = disk_io::syncFolder(resolved.host);
    }
}

bool Disk::SameOnMedium(std::string_view source, std::string_view destination) const
{
    const WinPath from = parse(*this, source);
    const WinPath to = parse(*this, destination);
    const Resolved resolvedFrom = resolveFor(drives_, *indexes_, from, "read", format(from));
    const DriveMapping* drive = findDrive(drives_, to.drive);
    if (!drive)
        return false;
    const disk_io::Comparison result =
        disk_io::compareFromMedium(resolvedFrom.host, resolve(*drive, to.parts, *indexes_).host);
    if (result.error && result.sourceFailed)
        throw PlatformError("read", format(from), osText(result.error));
    return !result.error && result.same;
}

VolumeSpace Disk::Space(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const std::string where = format(target);
    if (spaceHook_) {
        if (std::optional<VolumeSpace> faked = spaceHook_(where))
            return *faked;
    }
    const Resolved resolved = resolveFor(drives_, *indexes_, target, "measure", format(target));
    const std::optional<VolumeSpace> room = hostSpace(resolved.host);
    if (!room)
        throw PlatformError("measure", where, osText(errno ? errno : ENOENT));
    return *room;
}

std::optional<std::int64_t> Disk::PeekLength(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive || target.parts.empty())
        return std::nullopt;
    const Resolved resolved = resolve(*drive, target.parts, *indexes_);
    struct stat info {};
    if (!resolved.exists || ::stat(resolved.host.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_size;
}

} // namespace korvane
