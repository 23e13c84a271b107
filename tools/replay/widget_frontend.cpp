// The frontend with the real window: the script clicks its buttons, picks from its lists and
// types into its fields, and reads the transcript's control lines back from the widgets.
#include "form/call_rows.h"
#include "frontend.h"
#include "gui/preview/call_player.h"
#include "gui/preview/call_preview.h"
#include "gui/widgets/dir_list_widget.h"
#include "gui/widgets/list_view_rows.h"
#include "script_error.h"
#include "widget_dialogs.h"
#include "widget_input.h"
#include "widget_lines.h"
#include "window/form_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>

#include <cctype>

namespace korvane::replay {

namespace {

class WidgetFrontend : public Frontend {
public:
    WidgetFrontend(Transcript& transcript, ScriptedBoxes& boxes, ScriptedPicker& picker,
                   ScriptedPump& pump)
        : boxes_(transcript, boxes), picker_(transcript, picker), pump_(pump)
    {
    }

    MessageBoxes& boxes() override { return boxes_; }
    FolderPicker& picker() override { return picker_; }
    EventPump& pump() override { return pump_; }

    void attach(Form1& form) override
    {
        window_ = std::make_unique<FormWindow>(form);
        boxes_.setOwner(window_.get());
        picker_.setPlayer(&player_);
        picker_.attach(form.disk, window_.get());
        preview_ = new CallPreview(
            *window_, form.disk, player_, [&form](const QString& list, const QString& name) {
                return CallPathOfRow(form, list.toStdString(), name.toStdString());
            });
        window_->show();
    }

    std::optional<std::string> click(CommandButton& button) override
    {
        auto& widget = widgetOf<QAbstractButton>(button);
        if (!widget.isVisibleTo(widget.parentWidget()))
            return "hidden";
        if (!widget.isEnabledTo(widget.parentWidget()))
            return "disabled";
        widget.click();
        return std::nullopt;
    }

    void choose(ComboBox& combo, int index) override
    {
        auto& widget = widgetOf<QComboBox>(combo);
        if (index >= widget.count())
            throw ScriptError(combo.name() + " shows no item " + std::to_string(index));
        ChooseFromPopup(widget, index);
    }

    void chooseDrive(DriveListBox& drives, char letter) override
    {
        auto& widget = widgetOf<QComboBox>(drives);
        for (int row = 0; row < widget.count(); ++row) {
            const QString entry = widget.itemText(row);
            if (!entry.isEmpty() && entry[0].toLower() == QChar::fromLatin1(letter)) {
                ChooseFromPopup(widget, row);
                return;
            }
        }
        throw ScriptError(drives.name() + " shows no drive " + std::string(1, letter));
    }

    void type(ComboBox& combo, const std::string& text) override
    {
        auto& widget = widgetOf<QComboBox>(combo);
        if (!widget.lineEdit())
            throw ScriptError("cannot type into " + combo.name());
        TypeOver(*widget.lineEdit(), QString::fromStdString(text));
    }

    // Opens the row of that path with Enter. The list shows only the current folder's
    // ancestors and sub-folders; a path it does not show (a sibling folder, another case) goes
    // to the control's own input entry, the one the row's activation calls, since stepping
    // there row by row would raise changes the script did not ask for.
    void open(DirListBox& folders, const std::string& path) override
    {
        auto& widget = widgetOf<QListView>(folders);
        const QString wanted = QString::fromStdString(path);
        for (int row = 0; row < RowCount(widget); ++row) {
            if (widget.model()->index(row, 0).data(DirListWidget::kPathRole).toString() == wanted) {
                SelectRow(widget, row);
                PressKey(widget, Qt::Key_Return);
                return;
            }
        }
        folders.userOpen(path);
    }

    void select(ListBox& list, std::int64_t row, const std::string& source) override
    {
        auto& widget = widgetOf<QListView>(list);
        if (row < -1 || row >= RowCount(widget))
            throw ScriptError(list.name() + " has no row " + source);
        SelectRow(widget, static_cast<int>(row));
    }

    void selectFile(FileListBox& files, const std::string& name) override
    {
        auto& widget = widgetOf<QListView>(files);
        if (name.empty()) {
            SelectRow(widget, -1);
            return;
        }
        const int row = RowOf(widget, QString::fromStdString(name));
        if (row < 0)
            throw ScriptError(files.name() + " does not list " + name);
        SelectRow(widget, row);
    }

    // As a double-click on the row does, except that a row that plays starts again.
    void play(Control& list, const std::string& name) override
    {
        auto& widget = widgetOf<QListView>(list);
        const int row = RowOf(widget, QString::fromStdString(name));
        if (row < 0)
            throw ScriptError(list.name() + " shows no row " + name);
        preview_->playRow(widget, row);
    }

    void stop() override { PressKey(*window_, Qt::Key_Escape); }

    std::string controlLine(const Control& control) override
    {
        return WidgetLine(control, widgetOf<QWidget>(control));
    }

    std::string caption(const Form1&) override { return window_->windowTitle().toStdString(); }

    std::vector<std::string> rows(const Control& control) override
    {
        return WidgetRows(widgetOf<QWidget>(control));
    }

private:
    template <typename W> W& widgetOf(const Control& control)
    {
        W* widget = window_ ? qobject_cast<W*>(window_->controlWidget(control.name())) : nullptr;
        if (!widget)
            throw ScriptError("the window shows no widget for " + control.name());
        return *widget;
    }

    WidgetBoxes boxes_;
    WidgetPicker picker_;
    WidgetPump pump_;
    CallPlayer player_; // outlives the window and the picker that play through it
    std::unique_ptr<FormWindow> window_;
    CallPreview* preview_ = nullptr; // the window's child
};

} // namespace

bool WidgetFrontendBuilt()
{
    return true;
}

std::unique_ptr<Frontend> MakeWidgetFrontend(Transcript& transcript, ScriptedBoxes& boxes,
                                             ScriptedPicker& picker, ScriptedPump& pump)
{
    return std::make_unique<WidgetFrontend>(transcript, boxes, picker, pump);
}

} // namespace korvane::replay
