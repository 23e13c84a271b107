// Rows of a list view by number, as the window's lists are read and driven by row: the text,
// the place and the selection of a row.
#pragma once

#include <QRect>
#include <QString>

class QAbstractItemView;

namespace korvane {

int RowCount(const QAbstractItemView& view);
// The row's text; empty outside the list.
QString RowText(const QAbstractItemView& view, int row);
// The first row showing text; -1 when none does.
int RowOf(const QAbstractItemView& view, const QString& text);
// Where the row stands in the view's viewport.
QRect RowRect(const QAbstractItemView& view, int row);
// The current row, or -1.
int CurrentRow(const QAbstractItemView& view);
// The selected row: the current row while it is also selected, else -1.
int SelectedRow(const QAbstractItemView& view);
// Makes row the current and only selected row, as a click on it does; -1 selects none.
void SelectRow(QAbstractItemView& view, int row);

} // namespace korvane
