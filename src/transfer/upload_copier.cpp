#include "transfer/upload_copier.h"

#include "sys/errors.h"
#include "sys/text.h"

#include <algorithm>

namespace korvane {

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

void UploadCopier::checkStop() const
{
    if (stop_)
        throw UploadStopped{};
}

namespace {

std::int64_t inClusters(std::int64_t bytes, std::int64_t cluster)
{
    return cluster <= 0 ? bytes : (bytes + cluster - 1) / cluster * cluster;
}

} // namespace

void UploadCopier::nameBatch()
{
    std::vector<std::string> differing = verify();
    if (!differing.empty())
        throw BatchDiffers{std::move(differing)};
    std::int64_t freed = 0;
    for (const StagedCopy& copy : staged_) {
        if (copy.state == StagedState::Staged && copy.replaces)
            freed += replacedBytes_[copy.destination];
    }
    publish();
    room_->freeBytes += freed - used_;
    used_ = 0;
}

void UploadCopier::copy(const std::string& source, const std::string& destination)
{
    checkStop();
    // Resolved on the disk as it is, so names that differ only in case, on a destination that
    // ignores case, count as the one file they are.
    const std::string& from = resolved(source);
    const std::string& target = resolved(destination);
    auto it = received_.find(target);
    if (it != received_.end() && it->second == from)
        return;
    if (room_) {
        const std::int64_t cost =
            inClusters(disk_.PeekLength(source).value_or(0), room_->clusterBytes);
        const bool anyStaged = std::any_of(staged_.begin(), staged_.end(), [](const auto& c) {
            return c.state == StagedState::Staged;
        });
        if (used_ + cost > room_->freeBytes && anyStaged)
            nameBatch();
        const std::int64_t old =
            inClusters(disk_.PeekLength(destination).value_or(0), room_->clusterBytes);
        if (cost > room_->freeBytes && old > 0) {
            // Even on its own the copy does not fit beside the file it replaces: that file
            // goes first, and the player lacks it until its copy has its name.
            disk_.Kill(destination);
            removedFirst_.push_back(destination);
            room_->freeBytes += old;
        } else {
            replacedBytes_.try_emplace(destination, old);
        }
        used_ += cost;
    }
    StagedCopy copy;
    try {
        copy = disk_.StageCopy(source, destination, [this](std::int64_t) { return !stop_; });
    } catch (const PlatformError&) {
        checkStop(); // abandoned because the user asked
        throw;
    }
    received_[target] = from;
    const auto latest = latest_.find(target);
    if (latest != latest_.end() && staged_[latest->second].state == StagedState::Staged) {
        // A later copy to the same file replaces the staged one.
        disk_.Discard(staged_[latest->second]);
        staged_[latest->second] = std::move(copy);
        return;
    }
    latest_[target] = staged_.size();
    staged_.push_back(std::move(copy));
}

std::vector<std::string> UploadCopier::verify()
{
    checkStop();
    disk_.FlushStaged(staged_);
    std::vector<std::string> differing;
    for (const StagedCopy& copy : staged_) {
        checkStop();
        if (copy.state == StagedState::Staged && !disk_.StagedIntact(copy))
            differing.push_back(copy.destination);
    }
    return differing;
}

void UploadCopier::publish()
{
    // New files first: until a file of the player is replaced, a failure can be undone.
    std::stable_partition(staged_.begin(), staged_.end(),
                          [](const StagedCopy& copy) { return !copy.replaces; });
    latest_.clear();
    std::vector<StagedCopy*> batch;
    for (StagedCopy& copy : staged_) {
        if (copy.state == StagedState::Staged)
            batch.push_back(&copy);
    }
    try {
        disk_.Publish(staged_);
    } catch (const PlatformError&) {
        const bool replacedAny = std::any_of(batch.begin(), batch.end(), [](const auto* c) {
            return c->replaces && c->state == StagedState::Published;
        });
        if (!replacedAny) {
            for (StagedCopy* copy : batch)
                disk_.Discard(*copy);
        }
        throw;
    }
}

void UploadCopier::discard() noexcept
{
    for (StagedCopy& copy : staged_) {
        if (copy.state == StagedState::Staged)
            disk_.Discard(copy);
    }
}

std::vector<std::string> UploadCopier::published() const
{
    std::vector<std::string> files;
    for (const StagedCopy& copy : staged_) {
        if (copy.state == StagedState::Published)
            files.push_back(copy.destination);
    }
    return files;
}

std::vector<std::string> UploadCopier::unpublished() const
{
    std::vector<std::string> files;
    for (const StagedCopy& copy : staged_) {
        if (copy.state != StagedState::Published)
            files.push_back(copy.destination);
    }
    return files;
}

} // namespace korvane
