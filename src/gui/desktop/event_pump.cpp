#include "gui/desktop/event_pump.h"

#include "gui/desktop/input_hold.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace korvane {

namespace {

// A window shows nothing new faster than its frames; a playlist write yields after every row,
// thousands of times in a blink, and a pass over the events for each costs more than the row.
constexpr long long kFrameMilliseconds = 16;
// Waiting for long work, the window's thread looks at it at least this often.
constexpr int kWaitMilliseconds = 50;

} // namespace

void QtEventPump::yieldToWindowEvents()
{
    if (sinceLastPass_.isValid() && sinceLastPass_.elapsed() < kFrameMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceLastPass_.start();
}

QtEventPump::QtEventPump() = default;
QtEventPump::~QtEventPump() = default;

void QtEventPump::beginLongWork(std::function<void()> stop)
{
    hold_ = std::make_unique<InputHold>(std::move(stop));
}

void QtEventPump::endLongWork()
{
    hold_.reset(); // what it held arrives now, after the operation's own events
}

void QtEventPump::waitForWork(WorkSignal& signal)
{
    // The worker wakes the event loop as it wakes a condition variable.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    signal.setWaker([dispatcher] { dispatcher->wakeUp(); });
    if (signal.take())
        return;
    if (!hold_) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kWaitMilliseconds);
        signal.wait(std::chrono::milliseconds(kWaitMilliseconds));
        return;
    }
    QTimer enough;
    enough.setSingleShot(true);
    enough.start(kWaitMilliseconds);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    signal.take();
}

} // namespace korvane
