// The control kinds of the window as plain objects: their state, the operations the logic uses
// on them, the events some assignments raise at once, and a notification of every change so
// that a toolkit binding can mirror them. No toolkit here.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class Disk;

enum class ControlKind {
    CommandButton,
    Label,
    TextBox,
    ComboBox,
    ListBox,
    FileListBox,
    DirListBox,
    DriveListBox,
    ProgressBar,
    TabContainer,
};

// Geometry in twips, relative to the container's top-left corner.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Colours the window's definition uses: system colours by role, or an RGB value.
enum class SystemColor { None, ButtonFace, ButtonText, ButtonHighlight, WindowText, Highlight };
struct Color {
    SystemColor system = SystemColor::None;
    int rgb = -1; // 0xRRGGBB when system is None; -1 for "default"
    bool isDefault() const { return system == SystemColor::None && rgb < 0; }
};

struct Font {
    std::string family; // empty: the toolkit's default
    double points = 0;  // 0: the toolkit's default
};

// Delivers a user event to its handler. The window's dispatcher catches platform failures;
// events raised by the logic itself (an assignment that runs a handler) bypass it.
class EventDispatcher {
public:
    virtual ~EventDispatcher() = default;
    virtual void dispatch(const std::function<void()>& handler) = 0;
};

class Control {
public:
    using Observer = std::function<void(const Control&)>;

    Control(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Static design data, set once from the controls table.
    Twips geometry;
    std::string container; // "" for the window itself
    int tabIndex = 0;
    Font font;
    Color backColor;
    Color foreColor;
    std::string toolTip;
    // What assistive technologies call it where its caption says little; given by the window
    // that knows what each control is for ("" falls back to the caption).
    std::string accessibleName;
    std::string accessibleDescription;

    void observe(Observer observer) { observers_.push_back(std::move(observer)); }
    void setDispatcher(EventDispatcher* dispatcher) { dispatcher_ = dispatcher; }

    // True when the user can act on it: visible and enabled.
    bool takesInput() const { return visible_ && enabled_; }

protected:
    void notify();
    // Runs a user event through the dispatcher (directly when there is none, as in unit tests).
    void deliver(const std::function<void()>& handler);

private:
    std::string name_;
    ControlKind kind_;
    bool visible_ = true;
    bool enabled_ = true;
    // An observer may add another while it is told of a change (the window makes a control's
    // widget when the control first shows): a deque keeps the ones being called in place.
    std::deque<Observer> observers_;
    EventDispatcher* dispatcher_ = nullptr;
};

using Handler = std::function<void()>;

class CommandButton : public Control {
public:
    explicit CommandButton(std::string name) : Control(std::move(name), ControlKind::CommandButton)
    {
    }
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    void onClick(Handler handler) { onClick_ = std::move(handler); }
    // User input: runs the click handler when the button is visible and enabled.
    // Returns false when the click was ignored.
    bool click();

private:
    std::string caption_;
    Handler onClick_;
};

class Label : public Control {
public:
    explicit Label(std::string name) : Control(std::move(name), ControlKind::Label) {}
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);

private:
    std::string caption_;
};

class TextBox : public Control {
public:
    explicit TextBox(std::string name) : Control(std::move(name), ControlKind::TextBox) {}
    const std::string& Text() const { return text_; }
    void setText(std::string text);
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    void setFontSize(double points);
    void setBackColor(Color color);
    void setForeColor(Color color);
    // User input: typing into an unlocked box replaces its text.
    void userType(std::string text);

private:
    std::string text_;
    bool locked_ = false;
};

class ComboBox : public Control {
public:
    explicit ComboBox(std::string name) : Control(std::move(name), ControlKind::ComboBox) {}
    void setItems(std::vector<std::string> items);
    const std::vector<std::string>& items() const { return items_; }
    int ListCount() const { return static_cast<int>(items_.size()); }
    std::string List(int index) const;
    const std::string& Text() const { return text_; }
    void setText(std::string text); // design-time text; raises nothing
    int ListIndex() const { return listIndex_; }
    // Selecting an item (also from code) raises the click at once, before this returns.
    void setListIndex(int index);
    void onClick(Handler handler) { onClick_ = std::move(handler); }
    // User input: picks item index (raises the click), or types text (index -1, no event).
    void userChoose(int index);
    void userType(std::string text);

private:
    std::vector<std::string> items_;
    std::string text_;
    int listIndex_ = -1;
    Handler onClick_;
};

class ListBox : public Control {
public:
    explicit ListBox(std::string name) : Control(std::move(name), ControlKind::ListBox) {}
    void AddItem(std::string item);
    // Appends several rows with one notification (a long playlist loads at once).
    void AddItems(std::vector<std::string> items);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Reading outside the list gives the empty text.
    std::string List(int index) const;
    void setList(int index, std::string item);
    int ListIndex() const { return listIndex_; }
    void setListIndex(int index);
    void Refresh();
    const std::vector<std::string>& items() const { return items_; }
    // User input: selects a row (-1: none).
    void userSelect(int index);

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// Lists the names in Path that match Pattern, read from the disk on Path, Pattern and Refresh.
// A read that fails leaves the list exactly as it was (path, pattern, names, current entry)
// and tells no observer, so the window goes on showing what the logic holds.
class FileListBox : public Control {
public:
    FileListBox(std::string name, Disk& disk)
        : Control(std::move(name), ControlKind::FileListBox), disk_(disk)
    {
    }
    const std::string& Path() const { return path_; }
    void setPath(std::string path);
    const std::string& Pattern() const { return pattern_; }
    void setPattern(std::string pattern);
    void Refresh();
    int ListCount() const { return static_cast<int>(names_.size()); }
    std::string List(int index) const;
    int ListIndex() const { return listIndex_; }
    void setListIndex(int index);
    bool Selected(int index) const { return index >= 0 && index == listIndex_; }
    const std::vector<std::string>& names() const { return names_; }
    // User input: makes name the current entry ("" for none).
    void userSelect(std::string_view name);
    void userSelectIndex(int index);

private:
    std::vector<std::string> read(const std::string& path, const std::string& pattern) const;

    Disk& disk_;
    std::string path_;
    std::string pattern_ = "*.*";
    std::vector<std::string> names_;
    int listIndex_ = -1;
};

// One row of a folder list as the classic control shows it: the drive root, each folder above
// the current one, the current one (open), then its sub-folders.
struct FolderRow {
    std::string name; // "c:\" for the root, else the folder's own name
    std::string path; // the full Windows path the row opens
    int depth = 0;
    enum class Kind { Root, Above, Current, Below } kind = Kind::Below;
};

class DirListBox : public Control {
public:
    DirListBox(std::string name, Disk& disk)
        : Control(std::move(name), ControlKind::DirListBox), disk_(disk)
    {
    }
    const std::string& Path() const { return path_; }
    // A drive entry ("c:" or "g: [DATA]") becomes that drive's current folder; any other text is
    // kept exactly as given. A change of the text raises the change event at once.
    void setPath(std::string path);
    void Refresh();
    void onChange(Handler handler) { onChange_ = std::move(handler); }
    // The rows shown, read from the disk on every change of Path and on Refresh; a read that
    // fails leaves path and rows as they were.
    const std::vector<FolderRow>& rows() const { return rows_; }
    // User input: opens a folder (raises the change).
    void userOpen(std::string path);

private:
    std::vector<FolderRow> read(const std::string& path) const;

    Disk& disk_;
    std::string path_;
    bool hasPath_ = false;
    std::vector<FolderRow> rows_;
    Handler onChange_;
};

class DriveListBox : public Control {
public:
    DriveListBox(std::string name, Disk& disk)
        : Control(std::move(name), ControlKind::DriveListBox), disk_(disk)
    {
    }
    // The entry text of the chosen drive: "c:" or "e: [LABEL]".
    const std::string& Drive() const { return drive_; }
    // Chooses the entry of a drive ("e", "e:" or an entry text); a change raises the event.
    void setDrive(std::string_view drive);
    std::vector<std::string> entries() const;
    // Shows the current drive's entry without raising the change (the list's initial state).
    void showCurrentDrive();
    // Reads the drives again, so that a volume mounted or pulled out since shows or goes; the
    // chosen drive's entry takes its current label. Raises no change.
    void Refresh();
    void onChange(Handler handler) { onChange_ = std::move(handler); }
    // User input: picks the entry of drive letter.
    void userChoose(char letter);

private:
    Disk& disk_;
    std::string drive_;
    Handler onChange_;
};

class ProgressBar : public Control {
public:
    explicit ProgressBar(std::string name) : Control(std::move(name), ControlKind::ProgressBar) {}
    float Value() const { return value_; }
    void setValue(float value);
    float Min() const { return min_; }
    float Max() const { return max_; }
    void setRange(float min, float max);

private:
    float value_ = 0;
    float min_ = 0;
    float max_ = 100;
};

class TabContainer : public Control {
public:
    explicit TabContainer(std::string name) : Control(std::move(name), ControlKind::TabContainer) {}
    const std::string& TabCaption() const { return tabCaption_; }
    void setTabCaption(std::string caption);

private:
    std::string tabCaption_;
};

} // namespace korvane
