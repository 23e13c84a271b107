#include "gui/widgets/text_box_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QSignalBlocker>

namespace korvane {

TextBoxWidget::TextBoxWidget(TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    // textEdited fires for the user's typing only, never for the text set by render().
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        box_.userType(text.toStdString());
        render();
    });
    box.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void TextBoxWidget::render()
{
    const QSignalBlocker blocker(this);
    const QString wanted = QString::fromStdString(box_.Text());
    // Setting the same text again would move the user's cursor to the end.
    if (text() != wanted) {
        setText(wanted);
        setCursorPosition(0); // a long status text shows its beginning
    }
    setReadOnly(box_.Locked());
    ApplyControlState(*this, box_);
}

void TextBoxWidget::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Tab selects an edit's whole text; a read-only line has nothing to replace, so it keeps
    // showing its beginning without a selection.
    if (isReadOnly() && hasSelectedText())
        setCursorPosition(0);
}

} // namespace korvane
