// The list widget under the list box and the file list: one row at a time, and a selected row
// stays selected until another is chosen (a Ctrl+click does not clear it, as on the classic
// list box), so the widget never shows less than its control holds. An empty list shows its
// focus where its first row would be; a row cut short shows its tooltip.
#pragma once

#include <QListWidget>

namespace korvane {

class RowListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit RowListWidget(QWidget* parent);

protected:
    // The tooltip of a row, given whether its text is cut short; empty for none.
    virtual QString rowToolTip(int row, bool cut) const = 0;

    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace korvane
