// A DirListBox as the classic folder list: the drive root, the folders above the current one
// and the current one with open folder icons, its sub-folders with closed ones, each indented
// by its depth. Double-click or Enter opens a row.
#pragma once

#include "controls/controls.h"

#include <QListView>

namespace korvane {

class FolderRowsModel;

class DirListWidget : public QListView {
    Q_OBJECT
public:
    // Each row holds the Windows path it opens under this role.
    static constexpr int kPathRole = Qt::UserRole + 1;

    DirListWidget(DirListBox& folders, QWidget* parent);
    void render();

protected:
    bool viewportEvent(QEvent* event) override;

private:
    QString rowToolTip(int row, bool cut) const;

    DirListBox& folders_;
    FolderRowsModel* rows_; // the view's child
};

} // namespace korvane
