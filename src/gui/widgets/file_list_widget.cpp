#include "gui/widgets/file_list_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QSignalBlocker>

namespace korvane {

FileListWidget::FileListWidget(FileListBox& files, QWidget* parent)
    : RowListWidget(parent), files_(files), rows_(new TextRowsModel(files.names(), this))
{
    setModel(rows_);
    setObjectName(QString::fromStdString(files.name()));
    connect(this, &RowListWidget::currentRowChanged, this, [this](int row) {
        files_.userSelectIndex(row);
        render();
    });
    files.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void FileListWidget::render()
{
    const QSignalBlocker blocker(this);
    rows_->sync();
    showCurrentRow(files_.ListIndex());
    ApplyControlState(*this, files_);
}

// A file name cut short shows whole in its tooltip.
QString FileListWidget::rowToolTip(int row, bool cut) const
{
    if (!cut || row < 0 || row >= static_cast<int>(files_.names().size()))
        return {};
    return QString::fromStdString(files_.names()[static_cast<std::size_t>(row)]);
}

} // namespace korvane
