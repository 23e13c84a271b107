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
// smaller size that leaves air on both sides, down to two thirds of its own. Measuring shapes
// the text, so a button is measured once it has its place, and again only when that changes.
void CommandButtonWidget::fitCaption()
{
    if (!testAttribute(Qt::WA_Resized))
        return;
    const QFont natural = font(); // just set from the control's own font
    if (text() != fittedCaption_ || width() != fittedWidth_ || natural != naturalFont_) {
        fittedCaption_ = text();
        fittedWidth_ = width();
        naturalFont_ = natural;
        fittedFont_ = natural;
        const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 2;
        const int room = width() - 2 * edge;
        const qreal size = natural.pointSizeF();
        if (size > 0 && QFontMetrics(natural).horizontalAdvance(text()) > room) {
            for (qreal smaller = size - 0.25; smaller >= size * 2 / 3; smaller -= 0.25) {
                fittedFont_.setPointSizeF(smaller);
                if (QFontMetrics(fittedFont_).horizontalAdvance(text()) <= room)
                    break;
            }
        }
    }
    if (fittedFont_ != natural)
        setFont(fittedFont_);
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
