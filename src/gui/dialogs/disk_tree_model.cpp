#include "gui/dialogs/disk_tree_model.h"

#include "gui/desktop/window_style.h"

#include "sys/errors.h"

#include <QApplication>
#include <QStyle>

namespace korvane {

struct DiskTreeModel::Node {
    enum class Kind { Top, Drive, Folder, File };
    Kind kind = Kind::Top;
    QString text;
    std::string path;
    Node* parent = nullptr;
    int row = 0;
    bool fetched = false;
    std::vector<std::unique_ptr<Node>> children;

    Node* add(Kind childKind, QString childText, std::string childPath)
    {
        auto child = std::make_unique<Node>();
        child->kind = childKind;
        child->text = std::move(childText);
        child->path = std::move(childPath);
        child->parent = this;
        child->row = static_cast<int>(children.size());
        child->fetched = childKind == Kind::File;
        children.push_back(std::move(child));
        return children.back().get();
    }
};

namespace {

// A root keeps its separator ("e:\"); below it names are joined with one.
std::string Join(const std::string& folder, const std::string& name)
{
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

} // namespace

DiskTreeModel::DiskTreeModel(const Disk& disk, bool filesToo, QObject* parent)
    : QAbstractItemModel(parent), disk_(disk), filesToo_(filesToo), root_(std::make_unique<Node>())
{
    const QStyle* style = &WindowStyle::instance();
    driveIcon_ = style->standardIcon(QStyle::SP_DriveHDIcon);
    folderIcon_ = style->standardIcon(QStyle::SP_DirClosedIcon);
    fileIcon_ = style->standardIcon(QStyle::SP_FileIcon);
    root_->fetched = true;
    for (const DriveMapping& drive : disk.Drives()) {
        root_->add(Node::Kind::Drive, QString::fromStdString(disk.DriveEntry(drive.letter)),
                   std::string(1, drive.letter) + ":\\");
    }
}

DiskTreeModel::~DiskTreeModel() = default;

DiskTreeModel::Node* DiskTreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : root_.get();
}

std::string DiskTreeModel::pathOf(const QModelIndex& index) const
{
    return index.isValid() ? nodeOf(index)->path : std::string();
}

bool DiskTreeModel::isFile(const QModelIndex& index) const
{
    return index.isValid() && nodeOf(index)->kind == Node::Kind::File;
}

QModelIndex DiskTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* node = nodeOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, column, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex DiskTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    if (!child.isValid() || node->parent == root_.get())
        return {};
    return createIndex(node->parent->row, 0, node->parent);
}

int DiskTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(nodeOf(parent)->children.size());
}

int DiskTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant DiskTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Node* node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return node->text;
    case Qt::DecorationRole:
        if (node->kind == Node::Kind::Drive)
            return driveIcon_;
        return node->kind == Node::Kind::File ? fileIcon_ : folderIcon_;
    case Qt::ToolTipRole:
        return QString::fromStdString(node->path);
    default:
        return {};
    }
}

bool DiskTreeModel::hasChildren(const QModelIndex& parent) const
{
    const Node* node = nodeOf(parent);
    // Until a folder is read it may hold something: the view offers to expand it.
    return node->fetched ? !node->children.empty() : true;
}

bool DiskTreeModel::canFetchMore(const QModelIndex& parent) const
{
    return !nodeOf(parent)->fetched;
}

void DiskTreeModel::fetchMore(const QModelIndex& parent)
{
    Node* node = nodeOf(parent);
    if (node->fetched)
        return;
    node->fetched = true;
    std::vector<std::string> folders;
    std::vector<std::string> files;
    try {
        folders = disk_.ListFolders(node->path);
        if (filesToo_)
            files = disk_.ListFiles(node->path, "*.*");
    } catch (const PlatformError& error) {
        // Called from the view's event handling: the failure is shown in the dialog, and
        // the node stays empty.
        emit readFailed(QString::fromStdString(error.what()));
        emit dataChanged(parent, parent);
        return;
    }
    const int count = static_cast<int>(folders.size() + files.size());
    if (count == 0) {
        emit dataChanged(parent, parent); // the expand mark goes
        return;
    }
    beginInsertRows(parent, 0, count - 1);
    for (const std::string& name : folders)
        node->add(Node::Kind::Folder, QString::fromStdString(name), Join(node->path, name));
    for (const std::string& name : files)
        node->add(Node::Kind::File, QString::fromStdString(name), Join(node->path, name));
    endInsertRows();
}

} // namespace korvane
