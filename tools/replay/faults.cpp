#include "faults.h"

#include "platform/errors.h"
#include "platform/text.h"

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

Disk::FaultHook Faults::hook()
{
    return [this](std::string_view operation, const std::string& path) { check(operation, path); };
}

} // namespace korvane::replay
