// The copies of one upload. The same playlists and companion files are copied once per sound
// file; a copy whose destination already holds what it would write, from earlier in this
// upload, is skipped. The destination ends exactly as if every copy had been made.
//
// Each copy is written under a temporary name first; publish() flushes them all once, gives
// them their real names and flushes their folders, so a cable pulled at any moment leaves whole
// files under real names, and a thousand copies cost one flush rather than a thousand.
#pragma once

#include "disk/disk.h"

#include <map>
#include <string>
#include <vector>

namespace korvane {

class UploadCopier {
public:
    explicit UploadCopier(Disk& disk) : disk_(disk) {}
    // Copies never published are removed.
    ~UploadCopier();
    UploadCopier(const UploadCopier&) = delete;
    UploadCopier& operator=(const UploadCopier&) = delete;

    void copy(const std::string& source, const std::string& destination);
    // Gives every copy made so far its real name, durably.
    void publish();
    // The destinations whose bytes on the medium differ from their source, in upload order.
    std::vector<std::string> differing() const;
    // How many destination files this upload has published so far.
    std::size_t filesCopied() const { return published_; }

private:
    // The file a path names, as the disk resolves it. Nothing is deleted during an upload, and
    // a name that matched nothing is created as written, so each path is resolved once.
    const std::string& resolved(const std::string& path);
    bool hasUnpublished() const;
    std::size_t countPublished() const;

    Disk& disk_;
    std::map<std::string, std::string> resolvedPaths_;
    // The lower-cased host path of each file the upload creates -> its path.
    std::map<std::string, std::string> createdByLowerName_;
    // The destination file (its host path as resolved when written) -> the source it holds.
    std::map<std::string, std::string> received_;
    // The destination file -> its latest copy in staged_.
    std::map<std::string, std::size_t> latest_;
    std::vector<StagedCopy> staged_;
    std::vector<std::string> targets_; // the destination file of each of staged_
    std::size_t published_ = 0;
};

} // namespace korvane
