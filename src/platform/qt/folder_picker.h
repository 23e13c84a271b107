// The logic's folder dialog: a tree of the drives of the map, their folders (and files, when
// asked), OK and Cancel. The pick is a Windows path of the disk.
#pragma once

#include "platform/disk.h"
#include "platform/ui.h"

#include <QDialog>
#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QTreeView;

namespace korvane {

class DiskTreeModel;

class FolderPickerDialog : public QDialog {
    Q_OBJECT
public:
    FolderPickerDialog(const Disk& disk, const QString& title, bool filesToo,
                       QWidget* parent = nullptr);
    // The Windows path of the row picked; "" when nothing is.
    std::string pickedPath() const;

private:
    void updateOk();

    DiskTreeModel* model_;
    QTreeView* tree_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

class QtFolderPicker : public FolderPicker {
public:
    explicit QtFolderPicker(const Disk& disk) : disk_(disk) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::string pick(const std::string& title, bool filesToo) override;

private:
    const Disk& disk_;
    QPointer<QWidget> owner_;
};

} // namespace korvane
