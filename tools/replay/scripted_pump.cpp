#include "scripted_pump.h"

namespace korvane::replay {

void ScriptedPump::yieldToWindowEvents()
{
    while (!queued_.empty()) {
        arrived_.push_back(std::move(queued_.front()));
        queued_.pop_front();
    }
}

std::optional<QueuedInput> ScriptedPump::takeArrived()
{
    if (arrived_.empty())
        return std::nullopt;
    QueuedInput next = std::move(arrived_.front());
    arrived_.pop_front();
    return next;
}

void ScriptedPump::queueAtProgress(double value, QueuedInput input)
{
    atProgress_.emplace_back(value, std::move(input));
}

std::vector<QueuedInput> ScriptedPump::progressShown(double value)
{
    std::vector<QueuedInput> due;
    for (auto it = atProgress_.begin(); it != atProgress_.end();) {
        if (value >= it->first) {
            due.push_back(std::move(it->second));
            it = atProgress_.erase(it);
        } else {
            ++it;
        }
    }
    return due;
}

std::vector<QueuedInput> ScriptedPump::neverOffered() const
{
    std::vector<QueuedInput> never(queued_.begin(), queued_.end());
    for (const auto& [value, input] : atProgress_)
        never.push_back(input);
    return never;
}

} // namespace korvane::replay
