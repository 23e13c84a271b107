#include "transfer/upload_copier.h"

#include "sys/errors.h"
#include "sys/text.h"

#include <cerrno>
#include <set>
#include <system_error>

namespace korvane {

UploadCopier::~UploadCopier()
{
    for (const StagedCopy& copy : staged_)
        disk_.Discard(copy);
}

const std::string& UploadCopier::resolved(const std::string& path)
{
    auto it = resolvedPaths_.find(path);
    if (it != resolvedPaths_.end())
        return it->second;
    std::string host = disk_.HostPath(path).value_or(path);
    // A file this upload creates has no name on the disk until it is published: a later name
    // that differs from it only in case is that file, as it would be once the name exists.
    if (!disk_.PeekLength(path)) {
        host = createdByLowerName_.try_emplace(LowerCase(host), host).first->second;
    }
    return resolvedPaths_.emplace(path, std::move(host)).first->second;
}

bool UploadCopier::hasUnpublished() const
{
    for (const StagedCopy& copy : staged_) {
        if (!copy.published)
            return true;
    }
    return false;
}

std::size_t UploadCopier::countPublished() const
{
    std::set<std::string> files;
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (staged_[i].published)
            files.insert(targets_[i]);
    }
    return files.size();
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
    StagedCopy copy;
    try {
        copy = disk_.StageCopy(source, destination);
    } catch (const PlatformError& error) {
        // Until they are published, the files being replaced still hold their room: giving the
        // copies made so far their names frees it, then the copy is tried once more.
        static const std::string noRoom = OsErrorText(ENOSPC);
        if (error.osText() != noRoom || !hasUnpublished())
            throw;
        publish();
        copy = disk_.StageCopy(source, destination);
    }
    received_[target] = from;
    const auto latest = latest_.find(target);
    if (latest != latest_.end() && !staged_[latest->second].published) {
        // A later copy to the same file replaces the one not yet published.
        disk_.Discard(staged_[latest->second]);
        staged_[latest->second] = std::move(copy);
        return;
    }
    latest_[target] = staged_.size();
    staged_.push_back(std::move(copy));
    targets_.push_back(target);
}

void UploadCopier::publish()
{
    try {
        disk_.Publish(staged_);
    } catch (const PlatformError&) {
        // What was renamed stays; the rest is not the user's any more.
        for (StagedCopy& copy : staged_) {
            if (!copy.published) {
                disk_.Discard(copy);
                copy.hostTemp.clear();
            }
        }
        published_ = countPublished();
        throw;
    }
    published_ = countPublished();
}

std::vector<std::string> UploadCopier::differing() const
{
    std::vector<std::string> files;
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        const StagedCopy& copy = staged_[i];
        if (!copy.published || latest_.at(targets_[i]) != i)
            continue;
        if (!disk_.SameOnMedium(copy.source, copy.destination))
            files.push_back(copy.destination);
    }
    return files;
}

} // namespace korvane
