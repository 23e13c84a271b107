#include "pause_meter.h"

namespace korvane::replay {

PauseMeter::PauseMeter()
{
    clock_.start();
    startTimer(2, Qt::PreciseTimer);
}

void PauseMeter::mark()
{
    const qint64 now = clock_.elapsed();
    if (running_ && now - last_ > longest_) {
        longest_ = now - last_;
        longestCommand_ = command_;
    }
    last_ = now;
}

void PauseMeter::commandStarts(std::string_view text)
{
    command_ = std::string(text);
    running_ = true;
    last_ = clock_.elapsed();
}

void PauseMeter::commandEnds()
{
    if (!running_)
        return;
    mark();
    running_ = false;
}

void PauseMeter::timerEvent(QTimerEvent*)
{
    mark();
}

std::string PauseMeter::report() const
{
    return "longest pause: " + std::to_string(longest_) + " ms (" + longestCommand_ + ")";
}

} // namespace korvane::replay
