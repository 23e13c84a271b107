// The rows of a list control as a list model: the view reads each row's text from the control
// itself, so a playlist of 32,767 rows costs no widget item per row. The model remembers what
// it last announced and, on sync, tells the view only the rows between the unchanged head and
// tail; a large change rebuilds the list at once.
#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace korvane {

class TextRowsModel : public QAbstractListModel {
public:
    // rows: the control's own rows, which outlive the model.
    TextRowsModel(const std::vector<std::string>& rows, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Tells the views how the control's rows changed since the last sync.
    void sync();

private:
    const std::vector<std::string>& rows_;
    std::vector<std::string> shown_;
};

} // namespace korvane
