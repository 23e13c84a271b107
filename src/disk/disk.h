// The disk as the logic sees it: Windows-style paths ("d:\work\Tarvo_Calls") over a map of
// drive letters to host folders, resolved component by component without regard to case,
// with a current drive and a current folder per drive. Every failure throws PlatformError.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sys/trash.h"

namespace korvane {

namespace disk_paths {
class FolderIndexes;
struct CopyEnds;
} // namespace disk_paths

// The room on a volume: what it can still take, and the unit it allocates in.
struct VolumeSpace {
    std::int64_t freeBytes = 0;
    std::int64_t clusterBytes = 0; // 0 when the volume does not say
};

// Where a staged copy is: written under its temporary name, renamed to its real name, or
// given up (its temporary file removed, or gone with the medium).
enum class StagedState { Staged, Published, Discarded };

// A copy written under a temporary name beside its destination.
struct StagedCopy {
    std::string source; // Windows paths, as given
    std::string destination;
    std::string hostTarget; // the destination's host file, as resolved when staged
    std::string hostTemp;
    bool replaces = false; // the destination held a file when the copy was staged
    StagedState state = StagedState::Staged;
};

// Told the bytes of each piece of a copy once written; false abandons the copy.
using CopyWatch = std::function<bool(std::int64_t bytes)>;

struct DriveMapping {
    char letter = 'c';    // lower case
    std::string hostRoot; // absolute host folder
    std::string label;    // volume label; empty for none
};

class Disk {
public:
    explicit Disk(std::vector<DriveMapping> drives);

    // --- drives and current folders
    const std::vector<DriveMapping>& Drives() const { return drives_; }
    bool HasDrive(char letter) const;
    // The drive list entry: "c:" or "e: [LABEL]".
    std::string DriveEntry(char letter) const;
    char CurrentDrive() const { return currentDrive_; }
    // which: a drive letter, "e:" or a drive entry; throws for an unknown drive.
    void ChDrive(std::string_view which);
    // The current folder of a drive: "c:\" for a root, "c:\a\b" otherwise.
    std::string CurDir(char letter) const;
    // Makes path the current folder of its drive (the current drive stays as it is).
    void ChDir(std::string_view path);
    // Reads the drives again through the refresh function (removable volumes come and go); a
    // drive whose folder changed or went forgets its current folder. Without one the map is
    // fixed.
    using DriveRefresh =
        std::function<std::vector<DriveMapping>(const std::vector<DriveMapping>& current)>;
    void setDriveRefresh(DriveRefresh refresh) { driveRefresh_ = std::move(refresh); }
    void RefreshDrives();

    // --- queries
    // The first directory entry matching path, folders included (the Dir query with the
    // directory attribute): a file's or folder's own name as stored, a root's first entry
    // (sorted without regard to case), "" when nothing matches. Wildcards may stand in the
    // last component. An empty path yields "".
    std::string Probe(std::string_view path) const;
    bool FolderExists(std::string_view path) const;
    std::int64_t FileLen(std::string_view path) const;
    // FileLen of folder & "\" & each name in turn, handing each length to measured as it is
    // known, the folder read once instead of once per name; fails as FileLen fails.
    void MeasureFiles(std::string_view folder, const std::vector<std::string>& names,
                      const std::function<void(std::size_t, std::int64_t)>& measured) const;
    // Names of the files (not folders) in folder that match pattern, sorted by the
    // ordinal comparison of their lower-cased names.
    std::vector<std::string> ListFiles(std::string_view folder, std::string_view pattern) const;
    // Names of the sub-folders of folder, sorted like ListFiles.
    std::vector<std::string> ListFolders(std::string_view folder) const;
    // Lines of a text file: CR LF or CR ends a line, a lone LF stays in the line, the last
    // line counts without a terminator, a final terminator gives no empty line.
    std::vector<std::string> ReadLines(std::string_view path) const;
    std::string ReadBytes(std::string_view path) const;

    // --- changes
    // Copies a file; an existing destination is replaced.
    void FileCopy(std::string_view source, std::string_view destination);
    void Kill(std::string_view path);
    // Makes one folder; its parent must exist and it must not.
    void MkDir(std::string_view path);
    // Writes the file atomically: a temporary file beside it is renamed over it, so a
    // failure leaves the old file as it was.
    void WriteBytes(std::string_view path, std::string_view bytes);
    // --- the user's own files: kept in the trash rather than destroyed
    // The trash they go to; none at first (the files are then deleted outright, as Kill does).
    void setTrash(std::optional<Trash> trash) { trash_ = std::move(trash); }
    const std::optional<Trash>& trash() const { return trash_; }
    // Kill for a file of the user's: it goes to the trash, or where no trash can take it, is
    // deleted. Fails as Kill does.
    void Recycle(std::string_view path);
    // WriteBytes over a file of the user's: an old file that holds anything goes to the trash
    // first (where none can take it, it is replaced as WriteBytes does).
    void WriteBytesKeepingOld(std::string_view path, std::string_view bytes);
    // --- many copies made durable at once (an upload): each is written under a temporary
    // name, then all are flushed with one flush per volume, read back, renamed to their real
    // names, and their folders flushed once each. A cut at any moment leaves whole files under
    // real names.
    // Writes the copy beside destination; fails as FileCopy does, leaving nothing behind. watch
    // hears of every piece written and may abandon the copy (it fails then).
    StagedCopy StageCopy(std::string_view source, std::string_view destination,
                         const CopyWatch& watch = {});
    // Writes the staged copies' data to their media, one flush per volume.
    void FlushStaged(const std::vector<StagedCopy>& copies);
    // Whether a staged copy, flushed before, holds its source's bytes, read from the medium
    // rather than from the system's cache. Fails when either cannot be read.
    bool StagedIntact(const StagedCopy& copy) const;
    // Gives the staged copies their real names in order and flushes their folders; each one
    // renamed is marked published. A failure stops at the copy that failed.
    void Publish(std::vector<StagedCopy>& copies);
    // Removes a staged copy's temporary file, or a published copy that replaced nothing (so
    // the folder is as it was before); marks it discarded. Where the medium no longer answers
    // there is nothing to remove.
    void Discard(StagedCopy& copy) noexcept;
    // Removes what copies cut off in an earlier run (a cable pulled, the power gone, on this
    // computer or another) left in folder, so it holds no room; the copies of a program still
    // running here stay.
    void RemoveLeftovers(std::string_view folder);
    // Whether the destination, published (flushed) before, holds the source's bytes, read from
    // the medium rather than from the system's cache; an unreadable destination does not. Fails
    // when the source cannot be read.
    bool SameOnMedium(std::string_view source, std::string_view destination) const;

    // --- room
    // The room on the volume that holds path (the nearest existing folder on its way).
    VolumeSpace Space(std::string_view path) const;
    // The length of an existing file, looked at without counting as an operation of the
    // program (no fault applies); nullopt when there is no such file.
    std::optional<std::int64_t> PeekLength(std::string_view path) const;
    // Tells the disk that someone sharing its drives (a scenario setting its scene) just made
    // or wrote the file or folder at hostPath, found through HostPath: what the disk knows of
    // the folder around it stays right without reading that folder again.
    void Wrote(const std::string& hostPath) const;
    // What the disk learned of folders goes, so the next lookups read them again. Called as
    // each user operation starts: a change made by someone else between two operations is
    // then seen even on a volume whose folder times are too coarse to show it (FAT: 2 s).
    void ForgetFolders() const;

    // --- mapping
    // The host path of a Windows path; components that exist are matched without regard to
    // case (an exact match wins), the rest are taken as written. nullopt: no such drive.
    std::optional<std::string> HostPath(std::string_view path) const;
    // The Windows path of a host path through the longest matching drive root.
    std::optional<std::string> WindowsPath(std::string_view hostPath) const;
    // Makes a possibly relative Windows path absolute ("x.txt", "\x", "c:x", "c:\x").
    std::string Absolute(std::string_view path) const;

    // A test hook run before every operation with its name ("copy", "write", "delete",
    // "mkdir", "read", "length", "rename": a staged copy taking its name) and the absolute
    // Windows path (for copy the destination);
    // it may throw PlatformError to make the operation fail.
    using FaultHook = std::function<void(std::string_view operation, const std::string& path)>;
    void setFaultHook(FaultHook hook) { faultHook_ = std::move(hook); }
    // Test hooks: told of every file once it is whole under its real name (Windows path, host
    // path), as a faulty medium would alter it; and a room to report instead of the volume's.
    using WrittenHook = std::function<void(const std::string& path, const std::string& host)>;
    void setWrittenHook(WrittenHook hook) { writtenHook_ = std::move(hook); }
    using SpaceHook = std::function<std::optional<VolumeSpace>(const std::string& path)>;
    void setSpaceHook(SpaceHook hook) { spaceHook_ = std::move(hook); }
    // Test hook: told the bytes of every piece written to a file (Windows path), after it is
    // written; it may take its time, as a slow medium does.
    using PaceHook = std::function<void(const std::string& path, std::int64_t bytes)>;
    void setPaceHook(PaceHook hook) { paceHook_ = std::move(hook); }

private:
    void checkFault(std::string_view operation, const std::string& path) const;
    // The source and destination of a copy, the fault hook asked first, both resolved.
    disk_paths::CopyEnds copyEnds(std::string_view source, std::string_view destination) const;
    void tellWritten(const std::string& path, const std::string& host) const;
    void remove(std::string_view path, bool toTrash);
    void write(std::string_view path, std::string_view bytes, bool keepOld);

    std::vector<DriveMapping> drives_;
    char currentDrive_ = 'c';
    std::vector<std::pair<char, std::string>> currentFolders_; // drive -> "\a\b" below its root
    FaultHook faultHook_;
    WrittenHook writtenHook_;
    SpaceHook spaceHook_;
    PaceHook paceHook_;
    DriveRefresh driveRefresh_;
    std::optional<Trash> trash_;
    // The names of the folders looked into, kept up to date with what this disk writes. A
    // cache, so lookups through a const disk fill it too; copies of a disk share it (it is
    // keyed by host folder).
    std::shared_ptr<disk_paths::FolderIndexes> indexes_;
};

} // namespace korvane
