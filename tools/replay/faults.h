// Disk failures the script asks for: an operation on a matching path fails with an OS text,
// at once or after a number of successes (a device pulled out in the middle).
#pragma once

#include "platform/disk.h"

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

class Faults {
public:
    void add(FaultRule rule) { rules_.push_back(std::move(rule)); }
    void clear() { rules_.clear(); }
    // Throws the PlatformError of the first rule that makes this operation fail. Every
    // matching rule counts the operation.
    void check(std::string_view operation, const std::string& path);
    Disk::FaultHook hook();

private:
    std::vector<FaultRule> rules_;
};

} // namespace korvane::replay
