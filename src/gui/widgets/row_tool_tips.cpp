#include "gui/widgets/row_tool_tips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace korvane {

bool RowIsCut(const QAbstractItemView& view, const QModelIndex& index)
{
    const QRect shown = view.visualRect(index);
    const int needed = view.sizeHintForIndex(index).width();
    return shown.left() < 0 || shown.left() + needed > view.viewport()->width();
}

bool ShowRowToolTip(QAbstractItemView& view, QEvent* event,
                    const std::function<QString(int row, bool cut)>& tipOf)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<const QHelpEvent*>(event);
    const QModelIndex index = view.indexAt(help->pos());
    const QString tip = index.isValid() ? tipOf(index.row(), RowIsCut(view, index)) : QString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, view.viewport(), view.visualRect(index));
    return true;
}

} // namespace korvane
