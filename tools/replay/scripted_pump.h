// The event pump of a scenario: user input queued with during-yield arrives at the next
// yield and, like real input, waits until the operation that yielded has ended.
#pragma once

#include "controls/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace korvane::replay {

struct QueuedInput {
    std::string text; // the command as written
    int line = 0;     // the script line that queued it
    std::function<void()> run;
};

class ScriptedPump : public EventPump {
public:
    void queue(QueuedInput input) { queued_.push_back(std::move(input)); }
    // Everything queued arrives now and is held back.
    void yieldToWindowEvents() override;
    // The next input held back, in the order it arrived.
    std::optional<QueuedInput> takeArrived();
    // Input that no yield ever took.
    const std::deque<QueuedInput>& neverOffered() const { return queued_; }

private:
    std::deque<QueuedInput> queued_;
    std::deque<QueuedInput> arrived_;
};

} // namespace korvane::replay
