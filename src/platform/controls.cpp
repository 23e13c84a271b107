#include "platform/controls.h"

#include "platform/disk.h"
#include "platform/errors.h"

#include <algorithm>
#include <cctype>

namespace korvane {

void Control::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    notify();
}

void Control::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    notify();
}

void Control::notify()
{
    for (const auto& observer : observers_)
        observer(*this);
}

void Control::deliver(const std::function<void()>& handler)
{
    if (dispatcher_)
        dispatcher_->dispatch(handler);
    else
        handler();
}

// --- CommandButton

void CommandButton::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    notify();
}

bool CommandButton::click()
{
    if (!takesInput())
        return false;
    deliver([this] {
        if (!onClick_)
            return;
        // Value reads true for exactly the duration of this button's own click.
        struct Pressed {
            bool& flag;
            explicit Pressed(bool& f) : flag(f) { flag = true; }
            ~Pressed() { flag = false; }
        } pressed(clicking_);
        onClick_();
    });
    return true;
}

// --- Label, TextBox

void Label::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    notify();
}

void TextBox::setText(std::string text)
{
    text_ = std::move(text);
    notify();
}

void TextBox::setLocked(bool locked)
{
    locked_ = locked;
    notify();
}

void TextBox::setFontSize(double points)
{
    font.points = points;
    notify();
}

void TextBox::setBackColor(Color color)
{
    backColor = color;
    notify();
}

void TextBox::setForeColor(Color color)
{
    foreColor = color;
    notify();
}

void TextBox::userType(std::string text)
{
    if (!takesInput() || locked_)
        return;
    setText(std::move(text));
}

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

void FileListBox::read()
{
    if (path_.empty()) {
        names_.clear();
        return;
    }
    names_ = disk_.ListFiles(path_, pattern_);
}

void FileListBox::setPath(std::string path)
{
    std::vector<std::string> names;
    if (!path.empty())
        names = disk_.ListFiles(path, pattern_); // a missing folder fails before anything changes
    path_ = std::move(path);
    names_ = std::move(names);
    listIndex_ = -1;
    notify();
}

void FileListBox::setPattern(std::string pattern)
{
    pattern_ = std::move(pattern);
    listIndex_ = -1;
    read();
    notify();
}

void FileListBox::Refresh()
{
    const std::string current = List(listIndex_);
    read();
    // The current entry stays current while it is still there.
    auto it = std::find(names_.begin(), names_.end(), current);
    listIndex_ =
        (!current.empty() && it != names_.end()) ? static_cast<int>(it - names_.begin()) : -1;
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

// --- DirListBox

namespace {

// "c:" or "g: [DATA]": a drive entry rather than a folder path.
bool IsDriveEntry(std::string_view text)
{
    return text.size() >= 2 && text[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(text[0])) &&
           (text.size() == 2 || text[2] == ' ');
}

} // namespace

void DirListBox::setPath(std::string path)
{
    if (IsDriveEntry(path))
        path = disk_.CurDir(static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))));
    if (hasPath_ && path == path_)
        return;
    if (!disk_.FolderExists(path))
        throw PlatformError("open folder", path, "Path not found");
    path_ = std::move(path);
    hasPath_ = true;
    read();
    notify();
    if (onChange_)
        onChange_();
}

void DirListBox::Refresh()
{
    if (hasPath_)
        read();
    notify();
}

void DirListBox::read()
{
    rows_.clear();
    const std::string absolute = disk_.Absolute(path_);
    if (absolute.size() < 3)
        return;
    std::string root = absolute.substr(0, 3); // "c:\"
    rows_.push_back({root, root, 0, FolderRow::Kind::Root});
    std::string walked = absolute.substr(0, 2);
    std::vector<std::string> parts;
    std::size_t start = 3;
    while (start < absolute.size()) {
        std::size_t end = absolute.find('\\', start);
        if (end == std::string::npos)
            end = absolute.size();
        if (end > start)
            parts.push_back(absolute.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        walked += "\\" + parts[i];
        const bool last = i + 1 == parts.size();
        rows_.push_back({parts[i], walked, static_cast<int>(i) + 1,
                         last ? FolderRow::Kind::Current : FolderRow::Kind::Above});
    }
    if (parts.empty())
        rows_.front().kind = FolderRow::Kind::Current;
    const std::string base = parts.empty() ? root : walked + "\\";
    for (const auto& sub : disk_.ListFolders(absolute))
        rows_.push_back(
            {sub, base + sub, static_cast<int>(parts.size()) + 1, FolderRow::Kind::Below});
}

void DirListBox::userOpen(std::string path)
{
    if (!takesInput())
        return;
    deliver([this, path = std::move(path)] { setPath(path); });
}

// --- DriveListBox

void DriveListBox::setDrive(std::string_view drive)
{
    if (drive.empty())
        return;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0])));
    if (!disk_.HasDrive(letter))
        throw PlatformError("open drive", std::string(drive.substr(0, 1)) + ":",
                            "Device unavailable");
    std::string entry = disk_.DriveEntry(letter);
    if (entry == drive_)
        return;
    drive_ = std::move(entry);
    notify();
    if (onChange_)
        onChange_();
}

std::vector<std::string> DriveListBox::entries() const
{
    std::vector<std::string> result;
    for (const auto& mapping : disk_.Drives())
        result.push_back(disk_.DriveEntry(mapping.letter));
    return result;
}

void DriveListBox::showCurrentDrive()
{
    drive_ = disk_.DriveEntry(disk_.CurrentDrive());
    notify();
}

void DriveListBox::userChoose(char letter)
{
    if (!takesInput())
        return;
    deliver([this, letter] { setDrive(std::string(1, letter)); });
}

// --- ProgressBar, TabContainer

void ProgressBar::setValue(float value)
{
    if (value == value_)
        return;
    value_ = value;
    notify();
}

void ProgressBar::setRange(float min, float max)
{
    min_ = min;
    max_ = max;
    notify();
}

void TabContainer::setTabCaption(std::string caption)
{
    tabCaption_ = std::move(caption);
    notify();
}

} // namespace korvane
