#include "gui/widgets/row_list_widget.h"

#include "gui/desktop/window_style.h"
#include "gui/widgets/list_view_rows.h"
#include "gui/widgets/row_tool_tips.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace korvane {

RowListWidget::RowListWidget(QWidget* parent) : QListView(parent)
{
    setStyle(&WindowStyle::instance());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // lays out thousands of rows without measuring each
}

bool RowListWidget::viewportEvent(QEvent* event)
{
    if (ShowRowToolTip(*this, event, [this](int row, bool cut) { return rowToolTip(row, cut); }))
        return true;
    return QListView::viewportEvent(event);
}

void RowListWidget::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (RowCount(*this) > 0 || !hasFocus())
        return;
    // With no row to carry the focus, the focus rectangle stands where the first row would.
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange; // drawn for a click's focus too
    option.backgroundColor = palette().color(QPalette::Base);
    option.rect = QRect(0, 0, viewport()->width(), fontMetrics().height() + 2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

QItemSelectionModel::SelectionFlags RowListWidget::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

void RowListWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    emit currentRowChanged(current.isValid() ? current.row() : -1);
}

void RowListWidget::showCurrentRow(int row)
{
    if (row < 0 || row >= RowCount(*this)) {
        SelectRow(*this, -1);
        return;
    }
    if (SelectedRow(*this) == row)
        return;
    SelectRow(*this, row);
    scrollTo(model()->index(row, 0));
}

} // namespace korvane
