// A list model over a control's rows that keeps its own copy of the rows the views have been
// told of, so it never serves rows ahead of what it has told them.
#pragma once

#include <QAbstractListModel>

#include <vector>

namespace korvane {

class RowsModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

protected:
    // Shows rows anew: the views drop every row they hold, then take all of rows in one
    // insertion, which a view with rows of one height lays out without measuring each.
    template <typename Row> void showAnew(std::vector<Row>& shown, const std::vector<Row>& rows)
    {
        beginResetModel();
        shown.clear();
        endResetModel();
        if (rows.empty())
            return;
        beginInsertRows({}, 0, static_cast<int>(rows.size()) - 1);
        shown = rows;
        endInsertRows();
    }
};

} // namespace korvane
