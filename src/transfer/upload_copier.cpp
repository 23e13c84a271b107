#include "transfer/upload_copier.h"

#include "platform/disk.h"

#include <algorithm>

namespace korvane {

void UploadCopier::copy(const std::string& source, const std::string& destination)
{
    // Resolved on the disk as it is now, so names that differ only in case, on a destination
    // that ignores case, count as the one file they are.
    const std::string target = disk_.HostPath(destination).value_or(destination);
    const std::string from = disk_.HostPath(source).value_or(source);
    auto it = received_.find(target);
    if (it != received_.end() && it->second == from)
        return;
    disk_.FileCopy(source, destination);
    ++copiesMade_;
    received_[disk_.HostPath(destination).value_or(destination)] = from;
    if (std::find(written_.begin(), written_.end(), destination) == written_.end())
        written_.push_back(destination);
}

void UploadCopier::flush()
{
    disk_.Flush(written_);
}

} // namespace korvane
