// The longest time the window's thread went without handling its events while something ran:
// a timer asks to run every few milliseconds, and can only run when the thread turns to its
// events, so the gaps between its runs are the pauses a user would feel.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace korvane::bench {

inline long long LongestPauseMilliseconds(const std::function<void()>& run)
{
    QElapsedTimer clock;
    clock.start();
    long long last = 0;
    long long longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(2);
    run();
    return std::max(longest, clock.elapsed() - last);
}

} // namespace korvane::bench
