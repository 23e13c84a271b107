// A ListBox as a list view: mirrors its rows and selected row; a row the user selects with
// the mouse or the keyboard becomes the ListIndex.
#pragma once

#include "controls/controls.h"
#include "gui/widgets/row_list_widget.h"
#include "gui/widgets/text_rows_model.h"

namespace korvane {

class ListBoxWidget : public RowListWidget {
    Q_OBJECT
public:
    ListBoxWidget(ListBox& box, QWidget* parent);
    void render();

protected:
    QString rowToolTip(int row, bool cut) const override;

private:
    ListBox& box_;
    TextRowsModel* rows_; // the view's child
};

} // namespace korvane
