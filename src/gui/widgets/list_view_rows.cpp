#include "gui/widgets/list_view_rows.h"

#include <QAbstractItemView>

namespace korvane {

namespace {

QModelIndex IndexOf(const QAbstractItemView& view, int row)
{
    return view.model() ? view.model()->index(row, 0, view.rootIndex()) : QModelIndex();
}

} // namespace

int RowCount(const QAbstractItemView& view)
{
    return view.model() ? view.model()->rowCount(view.rootIndex()) : 0;
}

QString RowText(const QAbstractItemView& view, int row)
{
    return IndexOf(view, row).data().toString();
}

int RowOf(const QAbstractItemView& view, const QString& text)
{
    const int count = RowCount(view);
    for (int row = 0; row < count; ++row) {
        if (RowText(view, row) == text)
            return row;
    }
    return -1;
}

QRect RowRect(const QAbstractItemView& view, int row)
{
    return view.visualRect(IndexOf(view, row));
}

int CurrentRow(const QAbstractItemView& view)
{
    return view.currentIndex().isValid() ? view.currentIndex().row() : -1;
}

int SelectedRow(const QAbstractItemView& view)
{
    const QModelIndex current = view.currentIndex();
    return current.isValid() && view.selectionModel()->isSelected(current) ? current.row() : -1;
}

void SelectRow(QAbstractItemView& view, int row)
{
    QItemSelectionModel* selection = view.selectionModel();
    if (row < 0) {
        selection->setCurrentIndex({}, QItemSelectionModel::ClearAndSelect);
        selection->clearSelection();
        return;
    }
    selection->setCurrentIndex(IndexOf(view, row), QItemSelectionModel::ClearAndSelect);
}

} // namespace korvane
