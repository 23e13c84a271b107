// Keeps the rows of a list widget equal to a list of texts with few model changes: only the
// rows between the unchanged head and tail are replaced, and a large change rebuilds the list
// with one insertion. A playlist of 32,767 rows stays cheap to mirror, whatever the edit.
#pragma once

#include <string>
#include <vector>

class QListWidget;

namespace korvane {

class ListRows {
public:
    explicit ListRows(QListWidget& list) : list_(list) {}
    void sync(const std::vector<std::string>& texts);
    // Makes row current and selected (-1: none), scrolled into view when it changed.
    void setCurrent(int row);

private:
    QListWidget& list_;
    std::vector<std::string> shown_;
};

} // namespace korvane
