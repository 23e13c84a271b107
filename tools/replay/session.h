// One run of a scenario: the scene, the scripted services, the window once started, and the
// loop that reads the script line by line.
#pragma once

#include "faults.h"
#include "form/form1.h"
#include "frontend.h"
#include "scene.h"
#include "scripted_dialogs.h"
#include "scripted_pump.h"
#include "transcript.h"

#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string_view>

namespace korvane::replay {

class Session {
public:
    // With widgets, the script acts on the real window instead of on the controls.
    Session(std::ostream& out, std::filesystem::path root, bool widgets = false);
    ~Session();

    // 0 when the script ran to its end, 1 when it stopped at a script error.
    int run(std::istream& script);

    Transcript transcript;
    Scene scene;
    Faults faults;
    // The queues the script fills; the frontend's dialogs and pump take from them.
    ScriptedBoxes boxes;
    ScriptedPicker picker;
    ScriptedPump pump;

    Frontend& frontend() { return *frontend_; }
    // Told as each command of the script starts and ends (--report-pauses times the window).
    std::function<void(std::string_view)> commandStarts;
    std::function<void()> commandEnds;

    bool started() const { return form_ != nullptr; }
    // Builds the disk from the scene, enters the working folder and loads the window.
    void start();
    Form1& window();
    // The window's control of that name; a script error when there is none.
    Control& control(std::string_view name);
    // User input needs a window that has not been unloaded.
    void requireOpenWindow() const;
    int line() const { return line_; }
    // Input held back during the command's yields runs now that the command has ended.
    void deliverArrivedInput();

private:
    void runLine(std::string_view text);
    // The upload's bar shows value: Stop queued for it acts now, other input is held back.
    void deliverAtProgress(double value);

    std::unique_ptr<Disk> disk_;
    std::unique_ptr<Form1> form_;
    // Declared last: its window goes before the controls it shows.
    std::unique_ptr<Frontend> frontend_;
    bool unloaded_ = false;
    int line_ = 0;
};

} // namespace korvane::replay
