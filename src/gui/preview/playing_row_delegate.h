// Draws the playing mark on the row whose call is heard, over the list's own drawing of the
// row: a shape painted at the row's size, so it is sharp at every scale.
#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace korvane {

class PlayingRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using IsPlaying = std::function<bool(const QModelIndex& index)>;
    PlayingRowDelegate(IsPlaying isPlaying, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    IsPlaying isPlaying_;
};

} // namespace korvane
