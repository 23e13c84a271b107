#include "platform/qt/dir_list_widget.h"

#include "platform/qt/appearance.h"
#include "platform/qt/row_tool_tips.h"
#include "platform/qt/window_style.h"

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

DirListWidget::DirListWidget(DirListBox& folders, QWidget* parent)
    : QListWidget(parent), folders_(folders)
{
    setObjectName(QString::fromStdString(folders.name()));
    setStyle(&WindowStyle::instance());
    // Small icons, as the classic folder list has; drawn icons would take any size given.
    const int small = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(small, small));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    // Activation is a double-click or Enter; a single click only moves the highlight.
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const std::string path = item->data(kPathRole).toString().toStdString();
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
    if (!SameRows(folders_.rows(), shownRows_)) {
        const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
        const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
        setUpdatesEnabled(false);
        clear();
        int current = -1;
        for (const FolderRow& row : folders_.rows()) {
            auto* item = new QListWidgetItem(row.kind == FolderRow::Kind::Below ? closed : open,
                                             QString::fromStdString(row.name), this);
            item->setData(kDepthRole, row.depth);
            item->setData(kPathRole, QString::fromStdString(row.path));
            if (row.kind == FolderRow::Kind::Current)
                current = count() - 1;
        }
        setCurrentRow(current);
        if (current >= 0)
            scrollToItem(item(current));
        setUpdatesEnabled(true);
        shownRows_ = folders_.rows();
    }
    ApplyControlState(*this, folders_);
}

bool DirListWidget::viewportEvent(QEvent* event)
{
    if (ShowRowToolTip(*this, event, [this](int row, bool cut) { return rowToolTip(row, cut); }))
        return true;
    return QListWidget::viewportEvent(event);
}

// A folder name cut short shows whole in its tooltip.
QString DirListWidget::rowToolTip(int row, bool cut) const
{
    if (!cut || row < 0 || row >= static_cast<int>(shownRows_.size()))
        return {};
    return QString::fromStdString(shownRows_[static_cast<std::size_t>(row)].name);
}

} // namespace korvane
