#include "gui/dialogs/folder_picker.h"

#include "calls/call_info.h"
#include "gui/dialogs/disk_tree_model.h"
#include "gui/dialogs/picker_preview.h"
#include "sys/errors.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace korvane {

FolderPickerDialog::FolderPickerDialog(Disk& disk, const QString& title, bool filesToo,
                                       QWidget* parent)
    : QDialog(parent), model_(new DiskTreeModel(disk, filesToo, this)), tree_(new QTreeView(this)),
      path_(new QLineEdit(this)), problem_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      disk_(disk), filesToo_(filesToo), question_(new QWidget(this))
{
    setObjectName(QStringLiteral("FolderPicker"));
    // As desktop folder pickers do: a short caption, the caller's request above the tree.
    setWindowTitle(filesToo ? tr("Browse for File or Folder") : tr("Browse for Folder"));
    setModal(true);
    auto* request = new QLabel(title, this);
    request->setObjectName(QStringLiteral("Request"));
    request->setWordWrap(true);

    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);
    // Starts at the top of the drive map: the keyboard begins on the first drive, nothing
    // picked yet.
    tree_->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);

    path_->setObjectName(QStringLiteral("Path"));
    auto* pathLabel = new QLabel(tr("&Folder:"), this);
    pathLabel->setBuddy(path_);
    path_->setAccessibleName(tr("Folder"));
    tree_->setAccessibleName(tr("Drives and folders"));
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);

    problem_->setWordWrap(true);
    problem_->hide();

    // The question about a file the player cannot play; No is its default, so Enter keeps
    // the picker open.
    question_->setObjectName(QStringLiteral("CannotPlayQuestion"));
    auto* asked = new QLabel(tr("This file holds no MP3 sound: the player cannot play it. "
                                "Add it anyway?"),
                             question_);
    asked->setWordWrap(true);
    auto* addAnyway = new QPushButton(tr("&Add anyway"), question_);
    addAnyway->setObjectName(QStringLiteral("AddAnyway"));
    auto* keep = new QPushButton(tr("&No"), question_);
    keep->setObjectName(QStringLiteral("DoNotAdd"));
    auto* questionLayout = new QHBoxLayout(question_);
    questionLayout->setContentsMargins(0, 0, 0, 0);
    questionLayout->addWidget(asked, 1);
    questionLayout->addWidget(addAnyway);
    questionLayout->addWidget(keep);
    question_->hide();
    connect(addAnyway, &QPushButton::clicked, this, &QDialog::accept);
    connect(keep, &QPushButton::clicked, this, [this] { askAboutPick(false); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(request);
    layout->addWidget(tree_);
    layout->addWidget(pathLabel);
    layout->addWidget(path_);
    layout->addWidget(problem_);
    layout->addWidget(question_);
    layout->addWidget(buttons_);
    resize(380, 400);

    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderPickerDialog::acceptPick);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Picking a row shows its path; the path can also be typed, as on the classic dialog.
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList picked = tree_->selectionModel()->selectedIndexes();
        if (!picked.isEmpty())
            path_->setText(QString::fromStdString(model_->pathOf(picked.front())));
    });
    connect(path_, &QLineEdit::textChanged, this, &FolderPickerDialog::updateOk);
    connect(path_, &QLineEdit::textChanged, this, [this] { askAboutPick(false); });
    connect(model_, &DiskTreeModel::readFailed, this, [this](const QString& message) {
        problem_->setText(message);
        problem_->show();
    });
    // Double-clicking a folder opens it; double-clicking a file picks it.
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (model_->isFile(index))
            acceptPick();
    });
    updateOk();
    tree_->setFocus();
}

std::string FolderPickerDialog::pickedPath() const
{
    return path_->text().toStdString();
}

void FolderPickerDialog::offerPreview(CallPlayer& player)
{
    auto* preview = new PickerPreview(disk_, player, this);
    preview_ = preview;
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->indexOf(tree_) + 1, preview);
    connect(path_, &QLineEdit::textChanged, preview,
            [preview](const QString& path) { preview->showPath(path.toStdString()); });
    // The converted call becomes the pick, as if it had been typed: the recording's row is no
    // longer what is picked.
    connect(preview, &PickerPreview::converted, this, [this](const QString& path) {
        tree_->clearSelection();
        path_->setText(path);
    });
    connect(preview, &PickerPreview::conversionEnded, this, &FolderPickerDialog::updateOk);
    connect(preview->findChild<QPushButton*>(QStringLiteral("Convert")), &QPushButton::clicked,
            this, &FolderPickerDialog::updateOk);
    preview->showPath(pickedPath());
    // Room for the length, format and loudness line beside the buttons.
    resize(std::max(width(), 520), height());
}

bool FolderPickerDialog::holdsNoSound(const std::string& path) const
{
    try {
        const std::optional<std::string> host = disk_.HostPath(path);
        return host && !disk_.FolderExists(path) &&
               ReadCallInfo(*host).kind == CallInfo::Kind::NotAudio;
    } catch (const PlatformError&) {
        return false; // a path the disk cannot read is the logic's to report, as before
    }
}

void FolderPickerDialog::acceptPick()
{
    // The pick is not taken while its conversion runs: it is about to change.
    if (preview_ && preview_->converting())
        return;
    if (filesToo_ && question_->isHidden() && holdsNoSound(pickedPath())) {
        askAboutPick(true);
        return;
    }
    accept();
}

void FolderPickerDialog::askAboutPick(bool asking)
{
    if (question_->isHidden() != asking)
        return;
    question_->setVisible(asking);
    auto* ok = buttons_->button(QDialogButtonBox::Ok);
    auto* keep = question_->findChild<QPushButton*>(QStringLiteral("DoNotAdd"));
    ok->setDefault(!asking);
    keep->setDefault(asking);
    ok->setEnabled(!asking && !pickedPath().empty());
    if (asking)
        keep->setFocus();
}

void FolderPickerDialog::updateOk()
{
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(!pickedPath().empty() && !(preview_ && preview_->converting()));
}

std::string QtFolderPicker::pick(const std::string& title, bool filesToo)
{
    FolderPickerDialog dialog(disk_, QString::fromStdString(title), filesToo, owner_);
    if (filesToo && player_)
        dialog.offerPreview(*player_);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.pickedPath();
}

} // namespace korvane
