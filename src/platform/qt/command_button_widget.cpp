#include "platform/qt/command_button_widget.h"

#include "platform/qt/appearance.h"

#include <QKeyEvent>
#include <QPointer>

namespace korvane {

CommandButtonWidget::CommandButtonWidget(CommandButton& button, QWidget* parent)
    : QPushButton(parent), button_(button)
{
    setObjectName(QString::fromStdString(button.name()));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        button_.click();
        render(); // the click may have been refused without a notification
    });
    button.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void CommandButtonWidget::render()
{
    setText(QString::fromStdString(button_.Caption()));
    ApplyControlState(*this, button_);
}

void CommandButtonWidget::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the focused button as Space does, as on the classic buttons.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace korvane
