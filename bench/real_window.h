// The real window of korvane (its Qt widgets, offscreen) on temporary drives, with the Qt
// event pump and scripted answers in place of the boxes and the folder picker, which would
// wait for a user.
#pragma once

#include "support/window_harness.h"

#include "gui/desktop/event_pump.h"
#include "window/form_window.h"

#include <memory>
#include <string>

namespace korvane::bench {

class RealWindow {
public:
    explicit RealWindow(std::string letters = "cd");
    ~RealWindow();
    // Shows the window with the current drive and folder at cwd and runs start-up.
    Form1& start(const std::string& cwd);
    // Lets the window do what is pending (layout, repaints), as the event loop would.
    static void settle();

    test::TempDrives drives;
    Disk disk;
    test::ScriptedBoxes boxes;
    test::ScriptedPicker picker;
    QtEventPump pump;

private:
    std::unique_ptr<Form1> form_;
    std::unique_ptr<FormWindow> window_;
};

} // namespace korvane::bench
