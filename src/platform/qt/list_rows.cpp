#include "platform/qt/list_rows.h"

#include <QListWidget>
#include <QStringList>

#include <algorithm>

namespace korvane {

namespace {

// Removing rows one at a time moves the rows below each time; beyond a few, rebuilding is
// cheaper.
constexpr std::size_t kFewRows = 16;

QStringList ToStrings(std::vector<std::string>::const_iterator first,
                      std::vector<std::string>::const_iterator last)
{
    QStringList strings;
    strings.reserve(static_cast<qsizetype>(last - first));
    for (auto it = first; it != last; ++it)
        strings.append(QString::fromStdString(*it));
    return strings;
}

} // namespace

void ListRows::sync(const std::vector<std::string>& texts)
{
    const std::size_t common = std::min(shown_.size(), texts.size());
    std::size_t head = 0;
    while (head < common && shown_[head] == texts[head])
        ++head;
    std::size_t tail = 0;
    while (tail < common - head &&
           shown_[shown_.size() - 1 - tail] == texts[texts.size() - 1 - tail])
        ++tail;
    const std::size_t removed = shown_.size() - head - tail;
    const std::size_t inserted = texts.size() - head - tail;
    if (removed == 0 && inserted == 0)
        return;

    const bool updates = list_.updatesEnabled();
    list_.setUpdatesEnabled(false);
    if (removed > kFewRows) {
        list_.clear();
        list_.addItems(ToStrings(texts.begin(), texts.end()));
    } else {
        for (std::size_t i = 0; i < removed; ++i)
            delete list_.takeItem(static_cast<int>(head));
        const auto first = texts.begin() + static_cast<std::ptrdiff_t>(head);
        list_.insertItems(static_cast<int>(head),
                          ToStrings(first, first + static_cast<std::ptrdiff_t>(inserted)));
    }
    list_.setUpdatesEnabled(updates);
    shown_ = texts;
}

void ListRows::setCurrent(int row)
{
    if (row < 0 || row >= list_.count()) {
        list_.setCurrentRow(-1);
        list_.clearSelection();
        return;
    }
    if (list_.currentRow() == row && list_.item(row)->isSelected())
        return;
    list_.setCurrentRow(row);
    list_.scrollToItem(list_.item(row));
}

} // namespace korvane
