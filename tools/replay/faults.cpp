#include "faults.h"
#include "sys/host_files.h"

#include "sys/errors.h"
#include "sys/text.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace korvane::replay {

namespace {

struct OperationName {
    std::string_view hook;  // as the disk names it to the hook
    std::string_view words; // as the disk names it in its own failures
};

constexpr OperationName kOperations[] = {
    {"copy", "copy to"}, {"write", "write"},    {"delete", "delete"},  {"mkdir", "make folder"},
    {"read", "read"},    {"length", "measure"}, {"rename", "copy to"}, // a staged copy taking its
                                                                       // name: the end of its copy
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

// Flips the lowest bit of the host file's middle byte, as worn flash garbles a write; an empty
// file gains an erased byte. Written through a stream of its own, behind the program's back.
void alterOnMedium(const std::string& host)
{
    const std::filesystem::path file = host::PathOf(host);
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!stream)
        return; // gone already: there is nothing left to alter
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    const std::streamoff at = size > 0 ? size / 2 : 0;
    char byte = static_cast<char>(0xff);
    if (size > 0) {
        stream.seekg(at);
        stream.get(byte);
        byte = static_cast<char>(byte ^ 0x01);
    }
    stream.seekp(at);
    stream.put(byte);
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
    slow_.clear();
}

Disk::PaceHook Faults::paceHook()
{
    return [this](const std::string& path, std::int64_t bytes) {
        for (auto rule = slow_.rbegin(); rule != slow_.rend(); ++rule) {
            if (WildcardMatch(rule->pattern, path)) {
                std::this_thread::sleep_for(std::chrono::microseconds(
                    bytes * 1'000'000 / std::max<std::int64_t>(rule->bytesPerSecond, 1)));
                return;
            }
        }
    };
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
