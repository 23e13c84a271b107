#include "gui/preview/playing_row_delegate.h"

#include "gui/desktop/drawn_icons.h"

#include <QPainter>

namespace korvane {

PlayingRowDelegate::PlayingRowDelegate(IsPlaying isPlaying, QObject* parent)
    : QStyledItemDelegate(parent), isPlaying_(std::move(isPlaying))
{
}

void PlayingRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!isPlaying_(index))
        return;
    // At the row's right end, on a patch of the row's own background so a long name running
    // under it cannot blur it.
    const int side = std::max(8, option.rect.height() - 2);
    const QRect mark(option.rect.right() - side - 2, option.rect.center().y() - side / 2, side,
                     side);
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(mark.adjusted(-2, 0, 2, 0),
                      option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    DrawnIcon(DrawnShape::Playing)
        .paint(painter, mark, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);
}

} // namespace korvane
