// The logic's yield: one pass over the pending window events, user input held back, at most
// one pass per frame.
#pragma once

#include "controls/ui.h"

#include <QElapsedTimer>

namespace korvane {

class QtEventPump : public EventPump {
public:
    // Repaints and timers run; clicks and keys stay queued until the running operation has
    // ended and the event loop delivers them, so no two operations interleave.
    void yieldToWindowEvents() override;

private:
    QElapsedTimer sinceLastPass_; // invalid: no pass yet
};

} // namespace korvane
