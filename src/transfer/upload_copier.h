// The copies of one upload, all or nothing. The same playlists and companion files are copied
// once per sound file; a copy whose destination already holds what it would write, from
// earlier in this upload, is skipped. The destination ends exactly as if every copy had been
// made.
//
// Every copy is written under a temporary name first; verify() flushes them all once and reads
// each back from the medium; publish() then gives them their real names and flushes their
// folders. Until publish() the player holds what it held; a cable pulled at any moment leaves
// whole files under real names, and a thousand copies cost one flush rather than a thousand.
#pragma once

#include "disk/disk.h"

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// Thrown by the copier once the user asked it to stop: nothing was published.
struct UploadStopped {};
// Thrown when a batch named early for room reads back otherwise (verify() as it tells).
struct BatchDiffers {
    std::vector<std::string> files;
};

class UploadCopier {
public:
    // stop: checked between copies and between the pieces of one.
    UploadCopier(Disk& disk, const std::atomic<bool>& stop) : disk_(disk), stop_(stop) {}
    // Copies never published are removed.
    ~UploadCopier() { discard(); }
    UploadCopier(const UploadCopier&) = delete;
    UploadCopier& operator=(const UploadCopier&) = delete;

    // A volume that cannot take all the copies at once beside the files they replace: before
    // a copy would not fit, the copies staged so far are read back and named (a batch), which
    // frees the room of the files they replace.
    void setRoom(VolumeSpace room) { room_ = room; }
    // Stages a copy; fails as a copy does, or with UploadStopped or BatchDiffers.
    void copy(const std::string& source, const std::string& destination);
    // Flushes the staged copies and reads each back from the medium: the destinations whose
    // copy differs from its source, in upload order. Fails when a copy cannot be read back, or
    // with UploadStopped.
    std::vector<std::string> verify();
    // Gives every staged copy its real name, new files first. When a rename fails before any
    // file of the player was replaced, the new files named so far go again, so the player
    // holds what it held; then nothing is published().
    void publish();
    // Removes the copies not published.
    void discard() noexcept;

    // The destination files this upload staged.
    std::size_t filesStaged() const { return staged_.size(); }
    // After publish(): the destinations that hold the upload's copy, and those that still
    // hold what they held before it.
    std::vector<std::string> published() const;
    std::vector<std::string> unpublished() const;
    // The files removed before their copy was written, for want of room beside them.
    const std::vector<std::string>& removedFirst() const { return removedFirst_; }

private:
    // The file a path names, as the disk resolves it. Nothing is deleted during an upload, and
    // a name that matched nothing is created as written, so each path is resolved once.
    const std::string& resolved(const std::string& path);
    void checkStop() const;
    void nameBatch();

    Disk& disk_;
    const std::atomic<bool>& stop_;
    std::map<std::string, std::string> resolvedPaths_;
    // The lower-cased host path of each file the upload creates -> its path.
    std::map<std::string, std::string> createdByLowerName_;
    // The destination file (its host path as resolved when written) -> the source it holds.
    std::map<std::string, std::string> received_;
    // The destination file -> its copy in staged_.
    std::map<std::string, std::size_t> latest_;
    std::vector<StagedCopy> staged_;
    std::optional<VolumeSpace> room_;
    std::int64_t used_ = 0; // the room the staged copies of this batch take
    // The destination file -> the room the file it replaces takes.
    std::map<std::string, std::int64_t> replacedBytes_;
    std::vector<std::string> removedFirst_;
};

} // namespace korvane
