// Disk failures the script asks for: an operation on a matching path fails with an OS text,
// at once or after a number of successes (a device pulled out in the middle); a faulty medium
// that alters what is written to it; a volume that reports little room.
#pragma once

#include "disk/disk.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::replay {

struct FaultRule {
    std::string operation;    // copy, write, delete, mkdir, read, length or any
    std::string pattern;      // Windows path with * and ?, without regard to case
    std::string error;        // the OS text of the failure
    std::optional<int> after; // this many matching operations succeed first
    int seen = 0;
};

bool IsFaultOperation(std::string_view operation);

// A volume holding a matching path reports this room instead of its own.
struct SpaceRule {
    std::string pattern;
    VolumeSpace space;
};

// Writes to a matching path go no faster than this.
struct SlowRule {
    std::string pattern;
    std::int64_t bytesPerSecond = 0;
};

class Faults {
public:
    void add(FaultRule rule) { rules_.push_back(std::move(rule)); }
    // Every file written to a matching path is altered on the medium afterwards.
    void addCorrupt(std::string pattern) { corrupt_.push_back(std::move(pattern)); }
    void addSpace(SpaceRule rule) { space_.push_back(std::move(rule)); }
    void addSlow(SlowRule rule) { slow_.push_back(std::move(rule)); }
    void clear();
    // Throws the PlatformError of the first rule that makes this operation fail. Every
    // matching rule counts the operation.
    void check(std::string_view operation, const std::string& path);
    Disk::FaultHook hook();
    Disk::WrittenHook writtenHook();
    Disk::SpaceHook spaceHook();
    // Sleeps as a slow medium would after each piece written; runs on the writing thread.
    Disk::PaceHook paceHook();

private:
    std::vector<FaultRule> rules_;
    std::vector<std::string> corrupt_;
    std::vector<SpaceRule> space_;
    std::vector<SlowRule> slow_;
};

} // namespace korvane::replay
