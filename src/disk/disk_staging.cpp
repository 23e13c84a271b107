// Many copies made durable together, the room a volume has, and reading back what a medium
// holds: the disk layer's part of an upload the user can unplug the device after.
#include "disk/disk.h"

#include "disk/detail/disk_io.h"
#include "disk/detail/disk_paths.h"
#include "sys/errors.h"
#include "sys/host_files.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace korvane {

using namespace disk_paths;

namespace {

std::optional<VolumeSpace> hostSpace(const fs::path& host, int& error)
{
    const std::optional<host::Room> room = host::RoomOf(host, error);
    if (!room)
        return std::nullopt;
    return VolumeSpace{room->freeBytes, room->clusterBytes};
}

} // namespace

StagedCopy Disk::StageCopy(std::string_view source, std::string_view destination,
                           const CopyWatch& watch)
{
    const CopyEnds ends = copyEnds(source, destination);
    const disk_io::Written written = [&](std::int64_t bytes) {
        if (paceHook_)
            paceHook_(ends.where, bytes);
        return !watch || watch(bytes);
    };
    fs::path temp;
    const disk_io::CopyResult result =
        disk_io::copyToTemp(ends.from.host, ends.to.host, temp, written);
    ends.check(result.error, result.sourceFailed);
    indexes_->created(temp); // the folder's own change: no reason to read it again
    StagedCopy copy{std::string(source), ends.where,     host::TextOf(ends.to.host),
                    host::TextOf(temp),  ends.to.exists, StagedState::Staged};
    // What a faulty medium garbles, it garbles as the copy is written.
    tellWritten(copy.destination, copy.hostTemp);
    return copy;
}

void Disk::FlushStaged(const std::vector<StagedCopy>& copies)
{
    // One flush per volume writes every copy's data before any of them takes its real name.
    std::vector<std::uint64_t> volumes;
    for (const StagedCopy& copy : copies) {
        if (copy.state != StagedState::Staged)
            continue;
        const fs::path folder = host::PathOf(copy.hostTemp).parent_path();
        host::FileInfo info;
        if (const int error = host::Stat(folder, info))
            throw PlatformError("copy to", copy.destination, osText(error));
        if (std::find(volumes.begin(), volumes.end(), info.volume) != volumes.end())
            continue;
        if (const int error = disk_io::syncFileSystem(folder))
            throw PlatformError("copy to", copy.destination, osText(error));
        volumes.push_back(info.volume);
    }
}

bool Disk::StagedIntact(const StagedCopy& copy) const
{
    checkFault("read", copy.destination);
    const WinPath from = parse(*this, copy.source);
    const Resolved resolvedFrom = resolveFor(drives_, *indexes_, from, "read", format(from));
    const disk_io::Comparison result =
        disk_io::compareFromMedium(resolvedFrom.host, host::PathOf(copy.hostTemp));
    if (result.error)
        throw PlatformError("read", result.sourceFailed ? format(from) : copy.destination,
                            osText(result.error));
    return result.same;
}

void Disk::Publish(std::vector<StagedCopy>& copies)
{
    std::vector<StagedCopy*> renamed;
    // The folders of the copies renamed so far are flushed even when a later rename fails: the
    // names already given must last.
    auto flushFolders = [&](bool report) {
        std::vector<fs::path> folders;
        for (const StagedCopy* copy : renamed) {
            const fs::path folder = host::PathOf(copy->hostTarget).parent_path();
            if (std::find(folders.begin(), folders.end(), folder) != folders.end())
                continue;
            folders.push_back(folder);
            const int error = disk_io::syncFolder(folder);
            if (error && report)
                throw PlatformError("copy to", copy->destination, osText(error));
        }
    };
    for (StagedCopy& copy : copies) {
        if (copy.state != StagedState::Staged)
            continue;
        const fs::path temp = host::PathOf(copy.hostTemp);
        const fs::path target = host::PathOf(copy.hostTarget);
        try {
            checkFault("rename", copy.destination); // a device pulled out now
        } catch (const PlatformError&) {
            flushFolders(false);
            throw;
        }
        if (const int error = host::Rename(temp, target)) {
            flushFolders(false);
            int ignored = 0;
            const std::optional<VolumeSpace> room = hostSpace(temp, ignored);
            // FAT refuses some names only now, when the copy takes its name; fusefat says so
            // with "Operation not permitted", as it does for a full volume.
            std::string text = osText(error);
            if (room && room->freeBytes == 0)
                text = osText(ENOSPC);
            else if (error == EPERM || error == EINVAL || error == EILSEQ)
                text = "the device does not accept this file name (" + text + ")";
            throw PlatformError("copy to", copy.destination, text);
        }
        indexes_->removed(temp);
        indexes_->created(target);
        copy.state = StagedState::Published;
        renamed.push_back(&copy);
    }
    flushFolders(true);
}

void Disk::Discard(StagedCopy& copy) noexcept
{
    if (copy.state == StagedState::Discarded ||
        (copy.state == StagedState::Published && copy.replaces))
        return;
    const fs::path file =
        host::PathOf(copy.state == StagedState::Staged ? copy.hostTemp : copy.hostTarget);
    if (host::RemoveFile(file) == 0) {
        indexes_->removed(file);
        if (copy.state == StagedState::Published) {
            // Best effort: the name must not come back after a power cut.
            [[maybe_unused]] const int ignored = disk_io::syncFolder(file.parent_path());
        }
    }
    copy.state = StagedState::Discarded;
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
    int error = 0;
    const std::optional<VolumeSpace> room = hostSpace(resolved.host, error);
    if (!room)
        throw PlatformError("measure", where, osText(error ? error : ENOENT));
    return *room;
}

std::optional<std::int64_t> Disk::PeekLength(std::string_view path) const
{
    const WinPath target = parse(*this, path);
    const DriveMapping* drive = findDrive(drives_, target.drive);
    if (!drive || target.parts.empty())
        return std::nullopt;
    const Resolved resolved = resolve(*drive, target.parts, *indexes_);
    host::FileInfo info;
    if (!resolved.exists || host::Stat(resolved.host, info) != 0 || !info.file)
        return std::nullopt;
    return info.size;
}

} // namespace korvane
