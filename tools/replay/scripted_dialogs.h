// Message boxes and the folder picker, answered from queues the script fills; each one leaves
// its line in the transcript.
#pragma once

#include "controls/ui.h"
#include "disk/disk.h"
#include "transcript.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::replay {

class ScriptedBoxes : public MessageBoxes {
public:
    explicit ScriptedBoxes(Transcript& transcript) : transcript_(transcript) {}
    // answer: yes, no, cancel or ok.
    static bool IsAnswer(std::string_view answer);
    void queue(std::string answer) { answers_.push_back(std::move(answer)); }

    // An OK box is answered OK and leaves the queue alone; a Yes/No/Cancel box takes the next
    // answer, and with none queued the script is at fault.
    int show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
             const std::string& title) override;
    // The answer the next box of these buttons takes, as a word: what show() would answer.
    std::string takeAnswer(const std::string& prompt, BoxButtons buttons);
    static int AnswerCode(std::string_view answer);
    static std::string AnswerWord(int code);
    // The transcript line of a box: buttons "ok" or "ync", icon "none" or "info".
    static std::string BoxLine(const std::string& prompt, std::string_view buttons,
                               std::string_view icon, const std::string& title,
                               std::string_view answer);
    static std::string_view ButtonsWord(BoxButtons buttons);
    static std::string_view IconWord(BoxIcon icon);

private:
    Transcript& transcript_;
    std::deque<std::string> answers_;
};

// What the script queued for the next picker: the path, or nullopt to cancel; with convert,
// the picked recording is converted in the picker first.
struct QueuedPick {
    std::optional<std::string> path;
    bool convert = false;
};

class ScriptedPicker : public FolderPicker {
public:
    explicit ScriptedPicker(Transcript& transcript) : transcript_(transcript) {}
    void queue(QueuedPick pick) { picks_.push_back(std::move(pick)); }
    // The disk a converted call is written to, once the window is made.
    void setDisk(Disk* disk) { disk_ = disk; }

    std::string pick(const std::string& title, bool filesToo) override;
    // What the next picker takes; with nothing queued the script is at fault.
    QueuedPick takePick(const std::string& title);
    static std::string PickerLine(const std::string& title, bool filesToo,
                                  const std::optional<std::string>& picked);

private:
    Transcript& transcript_;
    std::deque<QueuedPick> picks_;
    Disk* disk_ = nullptr;
};

} // namespace korvane::replay
