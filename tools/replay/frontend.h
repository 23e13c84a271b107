// How the script reaches the window: straight through the controls' input entry points, or
// (with --gui) through the real widgets that mirror them. Either way the transcript must come
// out the same, which is what proves the widgets behave like the core.
#pragma once

#include "form/form1.h"
#include "scripted_dialogs.h"
#include "scripted_pump.h"
#include "transcript.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvane::replay {

class Frontend {
public:
    virtual ~Frontend() = default;

    // The services the window is made with.
    virtual MessageBoxes& boxes() = 0;
    virtual FolderPicker& picker() = 0;
    virtual EventPump& pump() = 0;
    // The window has been made and is about to load.
    virtual void attach(Form1& form) = 0;

    // Why a click is ignored ("hidden", "disabled"), or nothing when the button took it.
    virtual std::optional<std::string> click(CommandButton& button) = 0;
    virtual void choose(ComboBox& combo, int index) = 0;
    virtual void chooseDrive(DriveListBox& drives, char letter) = 0;
    virtual void type(ComboBox& combo, const std::string& text) = 0;
    virtual void open(DirListBox& folders, const std::string& path) = 0;
    // A row out of range is a script error: the rows are counted as the input arrives.
    virtual void select(ListBox& list, std::int64_t row, const std::string& source) = 0;
    // "" selects no entry; a name the list does not show is a script error.
    virtual void selectFile(FileListBox& files, const std::string& name) = 0;

    // The call of a row of File2, List1 or File1 is heard, or stopped. Without a window
    // there is nothing to sound.
    virtual void play(Control& list, const std::string& name) { (void)list, (void)name; }
    virtual void stop() {}

    // The transcript line of a control, and the window's caption, as the user would see them.
    virtual std::string controlLine(const Control& control) = 0;
    virtual std::string caption(const Form1& form) = 0;
    // The rows a folder or drive list shows, top to bottom, as the user sees them.
    virtual std::vector<std::string> rows(const Control& control) = 0;
};

// Scripted dialogs and pump, input straight into the controls.
std::unique_ptr<Frontend> MakeCoreFrontend(ScriptedBoxes& boxes, ScriptedPicker& picker,
                                           ScriptedPump& pump);

// Whether this build has the widgets; without them --gui is a usage error.
bool WidgetFrontendBuilt();
// The real window (offscreen), its real message boxes and folder picker answered from the
// same queues, input through the widgets. Needs the application object made first.
std::unique_ptr<Frontend> MakeWidgetFrontend(Transcript& transcript, ScriptedBoxes& boxes,
                                             ScriptedPicker& picker, ScriptedPump& pump);

} // namespace korvane::replay
