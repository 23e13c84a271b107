// How work on another thread wakes the window's thread while it waits for that work: a flag
// under a lock, and for a window system that sleeps in its own event loop, a way to wake it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace korvane {

class WorkSignal {
public:
    // Any thread: something is there for the waiting thread.
    void notify();
    // Whether notify() came since the last take, clearing it.
    bool take();
    // Waits up to most for notify(); true when it came (cleared again).
    bool wait(std::chrono::milliseconds most);
    // Called by notify() too, from the notifying thread: wakes an event loop that sleeps.
    void setWaker(std::function<void()> waker);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool notified_ = false;
    std::function<void()> waker_;
};

} // namespace korvane
