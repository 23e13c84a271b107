// The logic's yield: one pass over the pending window events, user input held back, at most
// one pass per frame.
#pragma once

#include "controls/ui.h"

#include <QElapsedTimer>
#include <QMetaObject>

#include <memory>

namespace korvane {

class InputHold;

class QtEventPump : public EventPump {
public:
    QtEventPump();
    ~QtEventPump() override;
    QtEventPump(const QtEventPump&) = delete;
    QtEventPump& operator=(const QtEventPump&) = delete;
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
    QElapsedTimer clock_;
    qint64 lastPass_ = -1; // nanoseconds on clock_; none yet
    qint64 lastLook_ = 0;  // when the clock was last read for a yield
    // Yields come in runs, one per row of a long list and far more often than frames: the
    // clock is read at every stride_-th call of a run only.
    int stride_ = 1;
    int calls_ = 0;
    QMetaObject::Connection loopWaits_;
};

} // namespace korvane
