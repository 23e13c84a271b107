#include "gui/widgets/dir_list_widget.h"

#include "gui/desktop/window_style.h"
#include "gui/widgets/appearance.h"
#include "gui/widgets/list_view_rows.h"
#include "gui/widgets/row_tool_tips.h"
#include "gui/widgets/rows_model.h"

#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace korvane {

namespace {

constexpr int kDepthRole = Qt::UserRole;

// Shifts each row right by its depth, as the classic folder list draws its tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += indent(option, index);
        return size;
    }

private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        return index.data(kDepthRole).toInt() * option.fontMetrics.height() * 2 / 3;
    }
};

bool SameRows(const std::vector<FolderRow>& a, const std::vector<FolderRow>& b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const FolderRow& x, const FolderRow& y) {
            return x.path == y.path && x.name == y.name && x.depth == y.depth && x.kind == y.kind;
        });
}

} // namespace

// The control's folder rows as a list model, served as last told to the view; a change of
// folder shows a new list.
class FolderRowsModel : public RowsModel {
public:
    FolderRowsModel(const std::vector<FolderRow>& rows, const QStyle& style, QObject* parent)
        : RowsModel(parent), rows_(rows), open_(style.standardIcon(QStyle::SP_DirOpenIcon)),
          closed_(style.standardIcon(QStyle::SP_DirClosedIcon))
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto row = static_cast<std::size_t>(index.row());
        if (!index.isValid() || row >= shown_.size())
            return {};
        const FolderRow& folder = shown_[row];
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(folder.name);
        case Qt::DecorationRole:
            return folder.kind == FolderRow::Kind::Below ? closed_ : open_;
        case kDepthRole:
            return folder.depth;
        case DirListWidget::kPathRole:
            return QString::fromStdString(folder.path);
        default:
            return {};
        }
    }

    // Shows the control's rows anew when they changed; false when they had not.
    bool sync()
    {
        if (SameRows(rows_, shown_))
            return false;
        showAnew(shown_, rows_);
        return true;
    }

    // The row of the current folder, or -1.
    int currentRow() const
    {
        const auto current = std::find_if(shown_.begin(), shown_.end(), [](const FolderRow& row) {
            return row.kind == FolderRow::Kind::Current;
        });
        return current == shown_.end() ? -1 : static_cast<int>(current - shown_.begin());
    }

    const std::vector<FolderRow>& shown() const { return shown_; }

private:
    const std::vector<FolderRow>& rows_;
    std::vector<FolderRow> shown_;
    QIcon open_;
    QIcon closed_;
};

DirListWidget::DirListWidget(DirListBox& folders, QWidget* parent)
    : QListView(parent), folders_(folders)
{
    setObjectName(QString::fromStdString(folders.name()));
    setStyle(&WindowStyle::instance());
    rows_ = new FolderRowsModel(folders.rows(), *style(), this);
    setModel(rows_);
    // Small icons, as the classic folder list has; drawn icons would take any size given.
    const int small = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(small, small));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    // Activation is a double-click or Enter; a single click only moves the highlight.
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        const std::string path = index.data(kPathRole).toString().toStdString();
        folders_.userOpen(path);
        render();
    });
    folders.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void DirListWidget::render()
{
    const QSignalBlocker blocker(this);
    if (rows_->sync()) {
        setUpdatesEnabled(false);
        const int current = rows_->currentRow();
        SelectRow(*this, current);
        if (current >= 0)
            scrollTo(rows_->index(current));
        setUpdatesEnabled(true);
    }
    ApplyControlState(*this, folders_);
}

bool DirListWidget::viewportEvent(QEvent* event)
{
    if (ShowRowToolTip(*this, event, [this](int row, bool cut) { return rowToolTip(row, cut); }))
        return true;
    return QListView::viewportEvent(event);
}

// A folder name cut short shows whole in its tooltip.
QString DirListWidget::rowToolTip(int row, bool cut) const
{
    if (!cut || row < 0 || row >= static_cast<int>(rows_->shown().size()))
        return {};
    return QString::fromStdString(rows_->shown()[static_cast<std::size_t>(row)].name);
}

} // namespace korvane
