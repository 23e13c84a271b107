// The list widget under the list box and the file list: one row at a time, and a selected row
// stays selected until another is chosen (a Ctrl+click does not clear it, as on the classic
// list box), so the widget never shows less than its control holds.
#pragma once

#include <QListWidget>

namespace korvane {

class RowListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit RowListWidget(QWidget* parent);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace korvane
