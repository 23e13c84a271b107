#include "form/background_work.h"

#include <thread>

namespace korvane {

void BackgroundWork::Run(EventPump& pump, const std::function<void(BackgroundWork&)>& work)
{
    BackgroundWork state;
    std::thread worker([&] {
        try {
            work(state);
        } catch (...) {
            const std::lock_guard lock(state.mutex_);
            if (!state.failure_)
                state.failure_ = std::current_exception();
        }
        {
            const std::lock_guard lock(state.mutex_);
            state.ended_ = true;
        }
        state.signal_.notify();
    });
    while (!state.serve())
        pump.waitForWork(state.signal_);
    worker.join();
    if (state.failure_)
        std::rethrow_exception(state.failure_);
}

bool BackgroundWork::serve()
{
    std::function<void()> step;
    bool ended = false;
    {
        const std::lock_guard lock(mutex_);
        step = std::move(step_);
        step_ = nullptr;
        ended = ended_;
    }
    if (!step)
        return ended;
    try {
        step();
    } catch (...) {
        // The window's step failed: the worker is told when it is let go, so both end.
        const std::lock_guard lock(mutex_);
        if (!failure_)
            failure_ = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        ++run_;
    }
    served_.notify_all();
    return false;
}

void BackgroundWork::onWindowThread(std::function<void()> step)
{
    unsigned long long mine = 0;
    {
        const std::lock_guard lock(mutex_);
        step_ = std::move(step);
        mine = ++handed_;
    }
    signal_.notify();
    std::unique_lock lock(mutex_);
    served_.wait(lock, [&] { return run_ >= mine; });
    if (failure_)
        std::rethrow_exception(failure_);
}

} // namespace korvane
