#include "gui/widgets/list_box_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QSignalBlocker>

namespace korvane {

ListBoxWidget::ListBoxWidget(ListBox& box, QWidget* parent)
    : RowListWidget(parent), box_(box), rows_(new TextRowsModel(box.items(), this))
{
    setModel(rows_);
    setObjectName(QString::fromStdString(box.name()));
    connect(this, &RowListWidget::currentRowChanged, this, [this](int row) {
        box_.userSelect(row);
        render();
    });
    box.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void ListBoxWidget::render()
{
    const QSignalBlocker blocker(this);
    rows_->sync();
    showCurrentRow(box_.ListIndex());
    ApplyControlState(*this, box_);
}

// A playlist row cut short shows whole in its tooltip.
QString ListBoxWidget::rowToolTip(int row, bool cut) const
{
    if (!cut || row < 0 || row >= static_cast<int>(box_.items().size()))
        return {};
    return QString::fromStdString(box_.items()[static_cast<std::size_t>(row)]);
}

} // namespace korvane
