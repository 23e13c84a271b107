// The list controls: the playlist box, the combo box and the file lists.
#include "controls/controls.h"

#include "disk/disk.h"

#include <algorithm>

namespace korvane {

// --- ComboBox

void ComboBox::setItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    notify();
}

std::string ComboBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::setText(std::string text)
{
    text_ = std::move(text);
    notify();
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        index = -1;
    listIndex_ = index;
    if (index >= 0)
        text_ = items_[static_cast<std::size_t>(index)];
    notify();
    if (onClick_)
        onClick_();
}

void ComboBox::userChoose(int index)
{
    if (!takesInput())
        return;
    deliver([this, index] { setListIndex(index); });
}

void ComboBox::userType(std::string text)
{
    if (!takesInput())
        return;
    text_ = std::move(text);
    listIndex_ = -1;
    notify();
}

// --- ListBox

void ListBox::AddItem(std::string item)
{
    items_.push_back(std::move(item));
    notify();
}

void ListBox::AddItems(std::vector<std::string> items)
{
    if (items.empty())
        return;
    items_.insert(items_.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
    notify();
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    items_.erase(items_.begin() + index);
    // The selected row gone leaves no selection; a row above it moves the selection up.
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    notify();
}

void ListBox::Clear()
{
    items_.clear();
    listIndex_ = -1;
    notify();
}

std::string ListBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return items_[static_cast<std::size_t>(index)];
}

void ListBox::setList(int index, std::string item)
{
    if (index < 0 || index >= ListCount())
        return;
    items_[static_cast<std::size_t>(index)] = std::move(item);
    notify();
}

void ListBox::setListIndex(int index)
{
    listIndex_ = (index >= 0 && index < ListCount()) ? index : -1;
    notify();
}

void ListBox::Refresh()
{
    notify();
}

void ListBox::userSelect(int index)
{
    if (!takesInput())
        return;
    setListIndex(index);
}

// --- FileListBox

// Every change that reads the folder reads it first, into locals, and changes the control only
// once the read has succeeded: a failed read leaves path, pattern, rows and current entry as
// they were, so the window, told nothing, still shows exactly what the logic holds.
std::vector<std::string> FileListBox::read(const std::string& path,
                                           const std::string& pattern) const
{
    if (path.empty())
        return {};
    return disk_.ListFiles(path, pattern);
}

void FileListBox::setPath(std::string path)
{
    std::vector<std::string> names = read(path, pattern_);
    path_ = std::move(path);
    names_ = std::move(names);
    listIndex_ = -1;
    notify();
}

void FileListBox::setPattern(std::string pattern)
{
    std::vector<std::string> names = read(path_, pattern);
    pattern_ = std::move(pattern);
    names_ = std::move(names);
    listIndex_ = -1;
    notify();
}

void FileListBox::Refresh()
{
    std::vector<std::string> names = read(path_, pattern_);
    // The current entry stays current while it is still there.
    const std::string current = List(listIndex_);
    auto it = std::find(names.begin(), names.end(), current);
    listIndex_ =
        (!current.empty() && it != names.end()) ? static_cast<int>(it - names.begin()) : -1;
    names_ = std::move(names);
    notify();
}

std::string FileListBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return names_[static_cast<std::size_t>(index)];
}

void FileListBox::setListIndex(int index)
{
    listIndex_ = (index >= 0 && index < ListCount()) ? index : -1;
    notify();
}

void FileListBox::userSelect(std::string_view name)
{
    auto it = std::find(names_.begin(), names_.end(), name);
    userSelectIndex(it == names_.end() ? -1 : static_cast<int>(it - names_.begin()));
}

void FileListBox::userSelectIndex(int index)
{
    if (!takesInput())
        return;
    setListIndex(index);
}

} // namespace korvane
