// The logic's yield: a long run of yields (one per row of a playlist being written) still lets
// the window's events through, and the first yield after the event loop waited lets them
// through at once, however many yields came before.
#include "gui/desktop/event_pump.h"
#include "qt_test_support.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(EventPump, YieldsLetPostedEventsThroughInARunAndAtOnceAfterTheLoopWaited)
{
    testing::TestApp();
    QtEventPump pump;
    int delivered = 0;

    // A run of quick yields: an event posted after its first pass arrives before it ends.
    pump.yieldToWindowEvents();
    QTimer::singleShot(0, [&delivered] { ++delivered; });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    long calls = 0;
    while (delivered == 0 && std::chrono::steady_clock::now() < giveUp) {
        pump.yieldToWindowEvents();
        ++calls;
    }
    EXPECT_EQ(delivered, 1);
    // Enough further quick calls that the clock is read only now and then.
    for (long i = 0; i < 100000; ++i)
        pump.yieldToWindowEvents();

    // The event loop waits (between two operations); the next yield is the first of a new run.
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
    QTimer::singleShot(0, [&delivered] { ++delivered; });
    pump.yieldToWindowEvents();
    EXPECT_EQ(delivered, 2) << "after " << calls << " calls in the first run";
}

} // namespace
} // namespace korvane
