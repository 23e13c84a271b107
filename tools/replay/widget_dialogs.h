// The real message boxes, folder picker and event pump of the window, answered from the
// script's queues: when a dialog opens, the answer is given through its own keys and buttons,
// and the transcript line is read back from the dialog as it was shown.
#pragma once

#include "gui/desktop/event_pump.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "scripted_dialogs.h"
#include "scripted_pump.h"
#include "transcript.h"

#include <memory>

class QWidget;

namespace korvane::replay {

class WidgetBoxes : public MessageBoxes {
public:
    WidgetBoxes(Transcript& transcript, ScriptedBoxes& queue)
        : transcript_(transcript), queue_(queue)
    {
    }
    void setOwner(QWidget* owner) { boxes_.setOwner(owner); }
    // Yes and OK are given with Enter, Cancel with Escape, so the box's default and escape
    // buttons are part of what the run checks; No is clicked.
    int show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
             const std::string& title) override;

private:
    Transcript& transcript_;
    ScriptedBoxes& queue_;
    QtMessageBoxes boxes_;
};

class WidgetPicker : public FolderPicker {
public:
    WidgetPicker(Transcript& transcript, ScriptedPicker& queue)
        : transcript_(transcript), queue_(queue)
    {
    }
    void attach(Disk& disk, QWidget* owner);
    // The picker of files offers to hear the picked file with this player, as in the window.
    void setPlayer(CallPlayer* player) { player_ = player; }
    // A path is typed into the picker's path field and taken with Enter; cancel is Escape. A
    // pick to convert is converted with the picker's own button first.
    std::string pick(const std::string& title, bool filesToo) override;

private:
    // Clicks the picker's Convert button, waits for the conversion, and writes its line.
    void convertInPicker(FolderPickerDialog& dialog, const std::string& from);

    Transcript& transcript_;
    ScriptedPicker& queue_;
    std::unique_ptr<QtFolderPicker> picker_;
    CallPlayer* player_ = nullptr;
    const Disk* disk_ = nullptr;
};

// The window's own pump; input the script queued for the yield arrives there and is held back.
// Long work waits in the window's own pump, as in the program.
class WidgetPump : public EventPump {
public:
    explicit WidgetPump(ScriptedPump& queue) : queue_(queue) {}
    void yieldToWindowEvents() override;
    void beginLongWork(std::function<void()> stop) override { pump_.beginLongWork(stop); }
    void endLongWork() override { pump_.endLongWork(); }
    void waitForWork(WorkSignal& signal) override { pump_.waitForWork(signal); }

private:
    ScriptedPump& queue_;
    QtEventPump pump_;
};

} // namespace korvane::replay
