#include "gui/desktop/input_hold.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace korvane {

namespace {

// The widget a click goes to: a window's click is for the widget under the pointer.
QWidget* clickedWidget(QObject* receiver, QMouseEvent* event)
{
    if (receiver->isWidgetType())
        return static_cast<QWidget*>(receiver);
    return QApplication::widgetAt(event->globalPosition().toPoint());
}

bool stopsWork(const QWidget* widget)
{
    return widget && widget->property(kStopsWorkProperty).toBool() && widget->isVisible() &&
           widget->isEnabled();
}

} // namespace

InputHold::InputHold(std::function<void()> stop) : stop_(std::move(stop))
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    release();
}

void InputHold::release()
{
    if (!holding_)
        return;
    holding_ = false;
    QCoreApplication::instance()->removeEventFilter(this);
    for (Held& held : held_) {
        if (held.receiver)
            QCoreApplication::postEvent(held.receiver, held.event.release());
    }
    held_.clear();
}

bool InputHold::eventFilter(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress && stop_)
                stop_();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (stopsWork(clickedWidget(receiver, static_cast<QMouseEvent*>(event))))
            return false;
        break;
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        break;
    default:
        return false;
    }
    held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

} // namespace korvane
