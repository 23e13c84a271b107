// The event pump of a scenario: user input queued with during-yield arrives at the next
// yield and, like real input, waits until the operation that yielded has ended.
#pragma once

#include "controls/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvane::replay {

struct QueuedInput {
    std::string text; // the command as written
    int line = 0;     // the script line that queued it
    std::function<void()> run;
    bool atOnce = false; // acts during an upload (Stop) instead of waiting for its end
};

class ScriptedPump : public EventPump {
public:
    void queue(QueuedInput input) { queued_.push_back(std::move(input)); }
    // Everything queued arrives now and is held back.
    void yieldToWindowEvents() override;
    // The next input held back, in the order it arrived.
    std::optional<QueuedInput> takeArrived();
    // Input that arrives once the upload's bar shows value or more.
    void queueAtProgress(double value, QueuedInput input);
    // The bar shows value: what arrives now, in the order it was queued.
    std::vector<QueuedInput> progressShown(double value);
    // Input held back until the running operation has ended.
    void holdBack(QueuedInput input) { arrived_.push_back(std::move(input)); }
    // Input that never arrived.
    std::vector<QueuedInput> neverOffered() const;

private:
    std::deque<QueuedInput> queued_;
    std::deque<QueuedInput> arrived_;
    std::vector<std::pair<double, QueuedInput>> atProgress_;
};

} // namespace korvane::replay
