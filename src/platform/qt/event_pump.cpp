#include "platform/qt/event_pump.h"

#include <QCoreApplication>

#include <chrono>
#include <ctime>

namespace korvane {

namespace {

// A window shows nothing new faster than its frames; a playlist write yields after every row,
// thousands of times in a blink, and a pass over the events for each costs more than the row.
constexpr long long kFrameMilliseconds = 16;

// Read once per row of a long write: the coarse clock, where there is one, costs next to
// nothing, and its few milliseconds of grain do not matter against a frame.
long long NowMilliseconds()
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
#endif
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
