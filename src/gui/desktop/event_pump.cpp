#include "gui/desktop/event_pump.h"

#include "gui/desktop/input_hold.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace korvane {

namespace {

// A window shows nothing new faster than its frames; a playlist write yields after every row,
// thousands of times in a blink, and a pass over the events for each costs more than the row.
constexpr qint64 kFrameNanoseconds = 16'000'000;
// Calls that come closer than this apart are a fast run: the clock is read half as often.
// Doubling only then keeps the look after a pass due within about this much of its frame.
constexpr qint64 kQuickLookNanoseconds = 1'000'000;
constexpr int kLongestStride = 1024;
// Waiting for long work, the window's thread looks at it at least this often.
constexpr int kWaitMilliseconds = 50;

} // namespace

void QtEventPump::yieldToWindowEvents()
{
    // A clock read costs more than a row of a playlist being written: in a run of quick calls
    // most return here. A run ends when the event loop waits again (the stride starts over).
    if (++calls_ < stride_)
        return;
    calls_ = 0;
    const qint64 now = clock_.nsecsElapsed();
    if (lastPass_ >= 0 && now - lastPass_ < kFrameNanoseconds) {
        if (now - lastLook_ < kQuickLookNanoseconds && stride_ < kLongestStride)
            stride_ *= 2;
        lastLook_ = now;
        return;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPass_ = lastLook_ = clock_.nsecsElapsed();
}

QtEventPump::QtEventPump()
{
    clock_.start();
    // The event loop goes back to waiting between operations (and between a user's clicks):
    // the next yield is the first of a new run and looks at the clock at once.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        loopWaits_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] {
            stride_ = 1;
            calls_ = 0;
        });
}

QtEventPump::~QtEventPump()
{
    QObject::disconnect(loopWaits_);
}

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
