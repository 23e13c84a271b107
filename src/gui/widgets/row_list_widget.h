// The list view under the list box and the file list: one row at a time, and a selected row
// stays selected until another is chosen (a Ctrl+click does not clear it, as on the classic
// list box), so the view never shows less than its control holds. An empty list shows its
// focus where its first row would be; a row cut short shows its tooltip.
#pragma once

#include <QListView>

namespace korvane {

class RowListWidget : public QListView {
    Q_OBJECT
public:
    explicit RowListWidget(QWidget* parent);

signals:
    // The current row changed (-1: none); blocked with the view's signals.
    void currentRowChanged(int row);

protected:
    // The tooltip of a row, given whether its text is cut short; empty for none.
    virtual QString rowToolTip(int row, bool cut) const = 0;
    // Makes row current and selected (-1: none), scrolled into view when it changed.
    void showCurrentRow(int row);

    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

} // namespace korvane
