// The drives of the disk as a tree for the folder picker: each drive under its entry text
// ("e: [LABEL]"), its folders (and files, when asked) read when a node is first expanded.
// Every node knows its Windows path, so the pick never leaves the disk's own paths.
#pragma once

#include "disk/disk.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <memory>
#include <string>
#include <vector>

namespace korvane {

class DiskTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    DiskTreeModel(const Disk& disk, bool filesToo, QObject* parent = nullptr);
    ~DiskTreeModel() override;

    // The Windows path of a node: "e:\" for a drive, "e:\calls\Taps.mp3" below it.
    std::string pathOf(const QModelIndex& index) const;
    bool isFile(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // A folder could not be read (a drive without its medium, no permission).
    void readFailed(const QString& message);

private:
    struct Node;
    Node* nodeOf(const QModelIndex& index) const;

    const Disk& disk_;
    bool filesToo_;
    std::unique_ptr<Node> root_;
    QIcon driveIcon_;
    QIcon folderIcon_;
    QIcon fileIcon_;
};

} // namespace korvane
