// What the logic asks of the window system besides its controls: modal message boxes, the
// folder picker and the event pump. The window, the replay tool and the tests each bind them.
#pragma once

#include "controls/work_signal.h"

#include <chrono>
#include <functional>
#include <string>

namespace korvane {

enum class BoxButtons { Ok, YesNoCancel };
enum class BoxIcon { None, Information };

// Result codes of a box.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr const char* kApplicationTitle = "Korvane";

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // title is never empty here: the caller puts in the application title.
    virtual int show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                     const std::string& title) = 0;
};

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // The Windows path of the folder (or, with filesToo, the file) picked; "" on cancel.
    virtual std::string pick(const std::string& title, bool filesToo) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Delivers the pending window events once (repaints, timers); user input that arrives
    // meanwhile is held back until the running operation has ended.
    virtual void yieldToWindowEvents() = 0;

    // Long work on another thread (an upload's copying): from beginLongWork to endLongWork
    // user input is held back as in a yield, except the request to stop it (the Stop button,
    // Escape), for which stop is called on the window's thread.
    virtual void beginLongWork(std::function<void()> stop) { (void)stop; }
    virtual void endLongWork() {}
    // Lets paint and system events run (the window answers the desktop) until signal is
    // notified or a moment has passed.
    virtual void waitForWork(WorkSignal& signal) { signal.wait(std::chrono::milliseconds(50)); }
};

} // namespace korvane
