// A window on temporary drives with scripted dialogs: boxes answered from a queue and
// recorded, a picker that returns what the test queued, and a pump that counts its yields.
#pragma once

#include "form/form1.h"
#include "support/temp_drives.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane::test {

struct ShownBox {
    std::string prompt;
    std::string title;
};

class ScriptedBoxes : public MessageBoxes {
public:
    int show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
             const std::string& title) override;
    std::deque<int> answers; // for Yes/No/Cancel boxes; an empty queue answers Cancel
    std::vector<ShownBox> shown;
    std::vector<std::string> prompts() const;
};

class ScriptedPicker : public FolderPicker {
public:
    std::string pick(const std::string& title, bool filesToo) override;
    std::deque<std::string> picks; // an empty queue cancels
};

class CountingPump : public EventPump {
public:
    void yieldToWindowEvents() override;
    int yields = 0;
    std::function<void()> duringYield; // runs at each yield, like input arriving then
};

// Writes a factory kit into folder (a TempDrives path): every file holds its own name.
void WriteKit(const TempDrives& drives, const std::string& folder);

class WindowHarness {
public:
    explicit WindowHarness(std::string letters = "cd");
    // Makes the window with the current drive and folder at cwd and runs start-up.
    Form1& start(const std::string& cwd);
    // Writes a factory kit into d:\kit and starts the window there.
    Form1& startOnKit();
    Form1& form() { return *form_; }

    TempDrives drives;
    Disk disk;
    ScriptedBoxes boxes;
    ScriptedPicker picker;
    CountingPump pump;

private:
    std::unique_ptr<Form1> form_;
};

} // namespace korvane::test
