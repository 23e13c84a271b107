// --report-pauses: the longest time the window's thread went without handling its events
// during one command. A timer asks to run every few milliseconds; it can only run when the
// thread turns to its events, so the gaps between its runs are the pauses a user would feel.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <string>
#include <string_view>

namespace korvane::replay {

class PauseMeter : public QObject {
public:
    PauseMeter();
    void commandStarts(std::string_view text);
    void commandEnds();
    // "longest pause: N ms (LINE)"
    std::string report() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void mark();

    QElapsedTimer clock_;
    qint64 last_ = 0;
    bool running_ = false;
    std::string command_;
    qint64 longest_ = 0;
    std::string longestCommand_;
};

} // namespace korvane::replay
