#include "gui/widgets/text_rows_model.h"

#include <algorithm>

namespace korvane {

namespace {

// Beyond a few rows gone the list is shown anew, as after loading another playlist; an edit of
// fewer is told as rows removed and inserted, so the view keeps its scroll position.
constexpr std::size_t kFewRows = 16;

} // namespace

TextRowsModel::TextRowsModel(const std::vector<std::string>& rows, QObject* parent)
    : RowsModel(parent), rows_(rows)
{
}

int TextRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= shown_.size() || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(shown_[row]);
}

void TextRowsModel::sync()
{
    const std::size_t common = std::min(shown_.size(), rows_.size());
    std::size_t head = 0;
    while (head < common && shown_[head] == rows_[head])
        ++head;
    std::size_t tail = 0;
    while (tail < common - head &&
           shown_[shown_.size() - 1 - tail] == rows_[rows_.size() - 1 - tail])
        ++tail;
    const std::size_t removed = shown_.size() - head - tail;
    const std::size_t inserted = rows_.size() - head - tail;
    if (removed == 0 && inserted == 0)
        return;

    const auto first = static_cast<int>(head);
    if (removed > kFewRows) {
        showAnew(shown_, rows_);
        return;
    }
    if (removed > 0) {
        beginRemoveRows({}, first, first + static_cast<int>(removed) - 1);
        const auto at = shown_.begin() + static_cast<std::ptrdiff_t>(head);
        shown_.erase(at, at + static_cast<std::ptrdiff_t>(removed));
        endRemoveRows();
    }
    if (inserted > 0) {
        beginInsertRows({}, first, first + static_cast<int>(inserted) - 1);
        const auto from = rows_.begin() + static_cast<std::ptrdiff_t>(head);
        shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(head), from,
                      from + static_cast<std::ptrdiff_t>(inserted));
        endInsertRows();
    }
}

} // namespace korvane
