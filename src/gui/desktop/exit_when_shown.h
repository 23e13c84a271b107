// For the start-up benchmark: with KORVANE_EXIT_WHEN_SHOWN set, the process ends as soon as its
// window has painted once, so the time to a shown window and its memory can be measured. Header
// only, so the minimal baseline window uses the very same hook without linking the program.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdlib>

namespace korvane {

class ExitWhenShown : public QObject {
public:
    // Watches the whole application when the variable is set; does nothing otherwise.
    void installIfAsked()
    {
        if (std::getenv("KORVANE_EXIT_WHEN_SHOWN"))
            QApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first widget painted starts the paint pass of the whole window; the exit
        // waits for the end of that pass.
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

} // namespace korvane
