// Tooltips of list rows: a row whose text runs past the list's right edge shows its whole
// text when the pointer rests on it. Each list says what its rows' tooltips hold.
#pragma once

#include <QString>

#include <functional>

class QAbstractItemView;
class QEvent;
class QModelIndex;

namespace korvane {

// Whether the row's text runs past either edge of the list's visible area.
bool RowIsCut(const QAbstractItemView& view, const QModelIndex& index);

// Answers a tooltip event on the view's viewport with tipOf(row under the pointer, whether it
// is cut); an empty tip hides any tooltip. False when the event is no tooltip event.
bool ShowRowToolTip(QAbstractItemView& view, QEvent* event,
                    const std::function<QString(int row, bool cut)>& tipOf);

} // namespace korvane
