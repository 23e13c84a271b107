#include "faults.h"

#include "platform/errors.h"
#include "platform/text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane::replay {

namespace {

struct OperationName {
    std::string_view hook;  // as the disk names it to the hook
    std::string_view words; // as the disk names it in its own failures
};

constexpr OperationName kOperations[] = {
    {"copy", "copy to"},      {"write", "write"}, {"delete", "delete"},
    {"mkdir", "make folder"}, {"read", "read"},   {"length", "measure"},
};

std::string operationWords(std::string_view operation)
{
    for (const OperationName& name : kOperations) {
        if (name.hook == operation)
            return std::string(name.words);
    }
    return std::string(operation);
}

bool matches(const FaultRule& rule, std::string_view operation, const std::string& path)
{
    return (rule.operation == "any" || rule.operation == operation) &&
           WildcardMatch(rule.pattern, path);
}

// Flips the lowest bit of the host file's middle byte on the medium, as worn flash garbles a
// write; an empty file gains an erased byte. Written through a descriptor of its own and
// flushed, behind the program's back.
void alterOnMedium(const std::string& host)
{
    const int fd = ::open(host.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return; // gone already: there is nothing left to alter
    struct stat info {};
    unsigned char byte = 0xff;
    off_t at = 0;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        at = info.st_size / 2;
        if (::pread(fd, &byte, 1, at) == 1)
            byte ^= 0x01;
    }
    if (::pwrite(fd, &byte, 1, at) == 1)
        ::fdatasync(fd);
    ::close(fd);
}

} // namespace

bool IsFaultOperation(std::string_view operation)
{
    if (operation == "any")
        return true;
    for (const OperationName& name : kOperations) {
        if (name.hook == operation)
            return true;
    }
    return false;
}

void Faults::check(std::string_view operation, const std::string& path)
{
    const FaultRule* failing = nullptr;
    for (FaultRule& rule : rules_) {
        if (!matches(rule, operation, path))
            continue;
        ++rule.seen;
        if (!failing && (!rule.after || rule.seen > *rule.after))
            failing = &rule;
    }
    if (failing)
        throw PlatformError(operationWords(operation), path, failing->error);
}

void Faults::clear()
{
    rules_.clear();
    corrupt_.clear();
    space_.clear();
}

Disk::WrittenHook Faults::writtenHook()
{
    return [this](const std::string& path, const std::string& host) {
        for (const std::string& pattern : corrupt_) {
            if (WildcardMatch(pattern, path)) {
                alterOnMedium(host);
                return;
            }
        }
    };
}

Disk::SpaceHook Faults::spaceHook()
{
    return [this](const std::string& path) -> std::optional<VolumeSpace> {
        for (auto rule = space_.rbegin(); rule != space_.rend(); ++rule) {
            if (WildcardMatch(rule->pattern, path))
                return rule->space;
        }
        return std::nullopt;
    };
}

Disk::FaultHook Faults::hook()
{
    return [this](std::string_view operation, const std::string& path) { check(operation, path); };
}

} // namespace korvane::replay
