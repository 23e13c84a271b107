// The frontend without a window: the script's input goes straight into the controls.
#include "frontend.h"
#include "script_error.h"
#include "window_lines.h"

#include <algorithm>

namespace korvane::replay {

namespace {

class CoreFrontend : public Frontend {
public:
    CoreFrontend(ScriptedBoxes& boxes, ScriptedPicker& picker, ScriptedPump& pump)
        : boxes_(boxes), picker_(picker), pump_(pump)
    {
    }

    MessageBoxes& boxes() override { return boxes_; }
    FolderPicker& picker() override { return picker_; }
    EventPump& pump() override { return pump_; }
    void attach(Form1&) override {}

    std::optional<std::string> click(CommandButton& button) override
    {
        if (button.click())
            return std::nullopt;
        return button.Visible() ? "disabled" : "hidden";
    }
    void choose(ComboBox& combo, int index) override { combo.userChoose(index); }
    void chooseDrive(DriveListBox& drives, char letter) override { drives.userChoose(letter); }
    void type(ComboBox& combo, const std::string& text) override { combo.userType(text); }
    void open(DirListBox& folders, const std::string& path) override { folders.userOpen(path); }

    void select(ListBox& list, std::int64_t row, const std::string& source) override
    {
        if (row < -1 || row >= list.ListCount())
            throw ScriptError(list.name() + " has no row " + source);
        list.userSelect(static_cast<int>(row));
    }

    void selectFile(FileListBox& files, const std::string& name) override
    {
        const auto& names = files.names();
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            throw ScriptError(files.name() + " does not list " + name);
        files.userSelect(name);
    }

    std::string controlLine(const Control& control) override { return ControlLine(control); }
    std::string caption(const Form1& form) override { return form.Caption(); }
    std::vector<std::string> rows(const Control& control) override { return ControlRows(control); }

private:
    ScriptedBoxes& boxes_;
    ScriptedPicker& picker_;
    ScriptedPump& pump_;
};

} // namespace

std::unique_ptr<Frontend> MakeCoreFrontend(ScriptedBoxes& boxes, ScriptedPicker& picker,
                                           ScriptedPump& pump)
{
    return std::make_unique<CoreFrontend>(boxes, picker, pump);
}

} // namespace korvane::replay
