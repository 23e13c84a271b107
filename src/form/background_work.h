// Long work that only touches the disk, run on a thread of its own while the window's thread
// keeps answering: it waits in the event pump, and runs, in order, each step the work hands
// it for the window (the bar's new value), the work waiting until the step has run.
#pragma once

#include "controls/ui.h"

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

namespace korvane {

class BackgroundWork {
public:
    // On the window's thread: runs work on a worker and returns when it has ended; what it
    // threw is thrown here.
    static void Run(EventPump& pump, const std::function<void(BackgroundWork&)>& work);

    // On the worker: runs step on the window's thread and returns once it has run, so what
    // the window shows follows the work step by step.
    void onWindowThread(std::function<void()> step);

private:
    BackgroundWork() = default;
    // On the window's thread: runs the step handed over, if any; whether the work has ended.
    bool serve();

    WorkSignal signal_;
    std::mutex mutex_;
    std::condition_variable served_;
    std::function<void()> step_;
    unsigned long long handed_ = 0; // steps handed over
    unsigned long long run_ = 0;    // steps run
    bool ended_ = false;
    std::exception_ptr failure_;
};

} // namespace korvane
