// The copies of one upload. The same playlists and companion files are copied once per sound
// file; a copy whose destination already holds what it would write, from earlier in this
// upload, is skipped. The destination ends exactly as if every copy had been made.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace korvane {

class Disk;

class UploadCopier {
public:
    explicit UploadCopier(Disk& disk) : disk_(disk) {}
    void copy(const std::string& source, const std::string& destination);
    // Forces everything written so far to the medium.
    void flush();
    // How many destination files this upload has written so far.
    std::size_t filesCopied() const { return written_.size(); }

private:
    // The file a path names, as the disk resolves it. Nothing is deleted during an upload, and
    // a name that matched nothing is created as written, so each path is resolved once.
    const std::string& resolved(const std::string& path);

    Disk& disk_;
    std::map<std::string, std::string> resolvedPaths_;
    // The destination file (its host path as resolved when written) -> the source it holds.
    std::map<std::string, std::string> received_;
    std::vector<std::string> written_;
};

} // namespace korvane
