#include "gui/widgets/command_button_widget.h"

#include "gui/widgets/appearance.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>

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
    fitCaption();
}

void CommandButtonWidget::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    render();
}

// The buttons keep their size in twips, but a font wider than the classic one, or the rounding
// of a fractional scale, can make a caption as wide as its button. It then takes the largest
// smaller size that leaves air on both sides, down to two thirds of its own.
void CommandButtonWidget::fitCaption()
{
    const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 2;
    const int room = width() - 2 * edge;
    QFont fitted = font();
    const qreal natural = fitted.pointSizeF();
    if (natural <= 0 || QFontMetrics(fitted).horizontalAdvance(text()) <= room)
        return;
    for (qreal size = natural - 0.25; size >= natural * 2 / 3; size -= 0.25) {
        fitted.setPointSizeF(size);
        if (QFontMetrics(fitted).horizontalAdvance(text()) <= room)
            break;
    }
    setFont(fitted);
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
