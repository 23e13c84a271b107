#include "controls/work_signal.h"

namespace korvane {

void WorkSignal::notify()
{
    std::function<void()> waker;
    {
        const std::lock_guard lock(mutex_);
        notified_ = true;
        waker = waker_;
    }
    changed_.notify_all();
    if (waker)
        waker();
}

bool WorkSignal::take()
{
    const std::lock_guard lock(mutex_);
    const bool was = notified_;
    notified_ = false;
    return was;
}

bool WorkSignal::wait(std::chrono::milliseconds most)
{
    std::unique_lock lock(mutex_);
    const bool came = changed_.wait_for(lock, most, [this] { return notified_; });
    notified_ = false;
    return came;
}

void WorkSignal::setWaker(std::function<void()> waker)
{
    const std::lock_guard lock(mutex_);
    waker_ = std::move(waker);
}

} // namespace korvane
