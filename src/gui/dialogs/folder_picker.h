// The logic's folder dialog: a tree of the drives of the map, their folders (and files, when
// asked), the path of the pick in an edit field where it can also be typed, OK and Cancel.
// The pick is a Windows path of the disk. Enter accepts, Escape cancels. A picker of files asks,
// inside itself, before it takes a file that holds no MP3 sound.
#pragma once

#include "controls/ui.h"
#include "disk/disk.h"

#include <QDialog>
#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeView;

namespace korvane {

class CallPlayer;
class DiskTreeModel;
class PickerPreview;

class FolderPickerDialog : public QDialog {
    Q_OBJECT
public:
    // The disk is written only by a conversion in the preview.
    FolderPickerDialog(Disk& disk, const QString& title, bool filesToo, QWidget* parent = nullptr);
    // The path in the edit field: the row picked, or what was typed; "" when nothing is.
    std::string pickedPath() const;
    // Under the tree: buttons to hear the picked file and to convert it to the player's form,
    // and its length (for a picker of files).
    void offerPreview(CallPlayer& player);

private:
    void updateOk();
    // OK: takes the pick, unless it is a file the player cannot play, which is asked about
    // first.
    void acceptPick();
    void askAboutPick(bool asking);
    // A file (not a folder) whose bytes are not MP3 sound.
    bool holdsNoSound(const std::string& path) const;

    DiskTreeModel* model_;
    QTreeView* tree_;
    QLineEdit* path_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
    PickerPreview* preview_ = nullptr;
    Disk& disk_;
    bool filesToo_;
    QWidget* question_;
};

class QtFolderPicker : public FolderPicker {
public:
    explicit QtFolderPicker(Disk& disk) : disk_(disk) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    // The player a picker of files offers to hear the picked file with.
    void setPlayer(CallPlayer* player) { player_ = player; }
    std::string pick(const std::string& title, bool filesToo) override;

private:
    Disk& disk_;
    QPointer<QWidget> owner_;
    CallPlayer* player_ = nullptr;
};

} // namespace korvane
