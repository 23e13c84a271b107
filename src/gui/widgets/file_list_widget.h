// A FileListBox as a list view of file names; the row the user selects becomes the current
// entry.
#pragma once

#include "controls/controls.h"
#include "gui/widgets/row_list_widget.h"
#include "gui/widgets/text_rows_model.h"

namespace korvane {

class FileListWidget : public RowListWidget {
    Q_OBJECT
public:
    FileListWidget(FileListBox& files, QWidget* parent);
    void render();

protected:
    QString rowToolTip(int row, bool cut) const override;

private:
    FileListBox& files_;
    TextRowsModel* rows_; // the view's child
};

} // namespace korvane
