#include "platform/qt/row_list_widget.h"

namespace korvane {

RowListWidget::RowListWidget(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // lays out thousands of rows without measuring each
}

QItemSelectionModel::SelectionFlags RowListWidget::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace korvane
