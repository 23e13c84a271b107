// User input held back while long work runs, so the window can go on painting and answering
// the desktop without an operation starting in the middle of another: clicks, keys and the
// window's closing wait and arrive, in order, once the work has ended. Only the request to
// stop it gets through: a click on a widget marked with kStopsWorkProperty, or Escape.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QEvent;

namespace korvane {

// The dynamic property that lets clicks reach a widget while input is held back.
inline constexpr const char* kStopsWorkProperty = "korvaneStopsWork";

class InputHold : public QObject {
public:
    explicit InputHold(std::function<void()> stop);
    ~InputHold() override;
    // Delivers what was held back (posted, in the order it came) and holds nothing more.
    void release();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::function<void()> stop_;
    std::vector<Held> held_;
    bool holding_ = true;
};

} // namespace korvane
