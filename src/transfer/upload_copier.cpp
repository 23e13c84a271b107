#include "transfer/upload_copier.h"

#include "platform/disk.h"

#include <algorithm>

namespace korvane {

const std::string& UploadCopier::resolved(const std::string& path)
{
    auto it = resolvedPaths_.find(path);
    if (it == resolvedPaths_.end())
        it = resolvedPaths_.emplace(path, disk_.HostPath(path).value_or(path)).first;
    return it->second;
}

void UploadCopier::copy(const std::string& source, const std::string& destination)
{
    // Resolved on the disk as it is, so names that differ only in case, on a destination that
    // ignores case, count as the one file they are.
    const std::string& from = resolved(source);
    const std::string& target = resolved(destination);
    auto it = received_.find(target);
    if (it != received_.end() && it->second == from)
        return;
    disk_.FileCopy(source, destination);
    received_[target] = from;
    if (std::find(written_.begin(), written_.end(), destination) == written_.end())
        written_.push_back(destination);
}

void UploadCopier::flush()
{
    disk_.Flush(written_);
}

} // namespace korvane
