#include "platform/qt/event_pump.h"

#include <QCoreApplication>

#include <time.h>

namespace korvane {

namespace {

// A window shows nothing new faster than its frames; a playlist write yields after every row,
// thousands of times in a blink, and a pass over the events for each costs more than the row.
constexpr long long kFrameMilliseconds = 16;

// The coarse clock costs next to nothing to read; its few milliseconds of grain do not
// matter against a frame.
long long NowMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

void QtEventPump::yieldToWindowEvents()
{
    const long long now = NowMilliseconds();
    if (lastPass_ >= 0 && now - lastPass_ < kFrameMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPass_ = NowMilliseconds();
}

} // namespace korvane
