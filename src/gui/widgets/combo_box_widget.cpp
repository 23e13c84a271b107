#include "gui/widgets/combo_box_widget.h"

#include "gui/widgets/appearance.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

namespace korvane {

ComboBoxWidget::ComboBoxWidget(ComboBox& combo, QWidget* parent) : QComboBox(parent), combo_(combo)
{
    setObjectName(QString::fromStdString(combo.name()));
    // Typed text never becomes an item, never completes to one, and neither Enter nor
    // leaving the field picks the item it names: only a choice from the list raises the click.
    // The field is given with a completer of its own, so the combo box makes none (it would
    // build one over its items, only to have it taken away), and the list it drops down is
    // made when it first drops down.
    auto* field = new QLineEdit(this);
    field->setCompleter(new QCompleter(field));
    setLineEdit(field);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);

    connect(this, &QComboBox::activated, this, [this](int index) {
        combo_.userChoose(index);
        render();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        combo_.userType(text.toStdString());
        render();
    });
    combo.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void ComboBoxWidget::render()
{
    const QSignalBlocker blocker(this);
    const QSignalBlocker editBlocker(lineEdit());
    if (combo_.items() != shownItems_) {
        clear();
        for (const std::string& item : combo_.items())
            addItem(QString::fromStdString(item));
        shownItems_ = combo_.items();
    }
    // Leaving the selected item clears the edit field; what the user is typing comes back
    // with the cursor where it was.
    const QString typed = lineEdit()->text();
    const int cursor = lineEdit()->cursorPosition();
    if (currentIndex() != combo_.ListIndex())
        setCurrentIndex(combo_.ListIndex());
    const QString text = QString::fromStdString(combo_.Text());
    if (lineEdit()->text() != text) {
        setEditText(text);
        if (text == typed)
            lineEdit()->setCursorPosition(cursor);
    }
    ApplyControlState(*this, combo_);
}

} // namespace korvane
