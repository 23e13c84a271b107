#include "gui/desktop/event_pump.h"

#include <QCoreApplication>

namespace korvane {

namespace {

// A window shows nothing new faster than its frames; a playlist write yields after every row,
// thousands of times in a blink, and a pass over the events for each costs more than the row.
constexpr long long kFrameMilliseconds = 16;

} // namespace

void QtEventPump::yieldToWindowEvents()
{
    if (sinceLastPass_.isValid() && sinceLastPass_.elapsed() < kFrameMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceLastPass_.start();
}

} // namespace korvane
