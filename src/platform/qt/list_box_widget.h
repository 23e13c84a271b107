// A ListBox as a list widget: mirrors its rows and selected row; a row the user selects with
// the mouse or the keyboard becomes the ListIndex.
#pragma once

#include "platform/controls.h"
#include "platform/qt/list_rows.h"
#include "platform/qt/row_list_widget.h"

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
    ListRows rows_;
};

} // namespace korvane
