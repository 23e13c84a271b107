// The logic's yield: one pass over the pending window events, user input held back, at most
// one pass per frame.
#pragma once

#include "controls/ui.h"

#include <QElapsedTimer>

#include <memory>

namespace korvane {

class InputHold;

class QtEventPump : public EventPump {
public:
    QtEventPump();
    ~QtEventPump() override;
    // Repaints and timers run; clicks and keys stay queued until the running operation has
    // ended and the event loop delivers them, so no two operations interleave.
    void yieldToWindowEvents() override;
    // While long work runs every event but user input is handled as it comes; input waits in
    // an InputHold, except the request to stop.
    void beginLongWork(std::function<void()> stop) override;
    void endLongWork() override;
    void waitForWork(WorkSignal& signal) override;

private:
    std::unique_ptr<InputHold> hold_;
    QElapsedTimer sinceLastPass_; // invalid: no pass yet
};

} // namespace korvane
