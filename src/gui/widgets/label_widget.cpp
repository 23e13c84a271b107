#include "gui/widgets/label_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>

namespace korvane {

LabelWidget::LabelWidget(Label& label, QWidget* parent) : QLabel(parent), label_(label)
{
    setObjectName(QString::fromStdString(label.name()));
    setTextFormat(Qt::PlainText); // a caption such as "<<" is text, never markup
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void LabelWidget::render()
{
    setText(QString::fromStdString(label_.Caption()));
    ApplyControlState(*this, label_);
}

} // namespace korvane
