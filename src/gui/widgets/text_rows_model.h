// The rows of a list control as a list model: a row is the control's text, turned into the
// view's text only when the view draws it, so a playlist of 32,767 rows costs no widget item
// per row. On sync the model tells the view only the rows between the unchanged head and tail;
// a large change rebuilds the list at once. It serves the rows as last told to the view, never
// ahead of what it has told: a view reads rows between a removal and an insertion.
#pragma once

#include "gui/widgets/rows_model.h"

#include <string>
#include <vector>

namespace korvane {

class TextRowsModel : public RowsModel {
public:
    // rows: the control's own rows, which outlive the model.
    TextRowsModel(const std::vector<std::string>& rows, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Tells the views how the control's rows changed since the last sync.
    void sync();

private:
    const std::vector<std::string>& rows_;
    std::vector<std::string> shown_; // the rows the view has been told of
};

} // namespace korvane
