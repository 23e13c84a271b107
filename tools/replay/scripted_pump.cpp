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

} // namespace korvane::replay
