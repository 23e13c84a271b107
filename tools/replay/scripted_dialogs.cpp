#include "scripted_dialogs.h"

#include "picker_conversion.h"
#include "script_error.h"

namespace korvane::replay {

namespace {

struct KnownAnswer {
    std::string_view word;
    int code;
};

constexpr KnownAnswer kAnswers[] = {
    {"yes", kAnswerYes}, {"no", kAnswerNo}, {"cancel", kAnswerCancel}, {"ok", kAnswerOk}};

} // namespace

bool ScriptedBoxes::IsAnswer(std::string_view answer)
{
    for (const KnownAnswer& known : kAnswers) {
        if (known.word == answer)
            return true;
    }
    return false;
}

int ScriptedBoxes::AnswerCode(std::string_view answer)
{
    for (const auto& known : kAnswers) {
        if (known.word == answer)
            return known.code;
    }
    throw ScriptError("unknown answer " + std::string(answer));
}

std::string ScriptedBoxes::AnswerWord(int code)
{
    for (const auto& known : kAnswers) {
        if (known.code == code)
            return std::string(known.word);
    }
    return "answer " + std::to_string(code);
}

std::string_view ScriptedBoxes::ButtonsWord(BoxButtons buttons)
{
    return buttons == BoxButtons::Ok ? "ok" : "ync";
}

std::string_view ScriptedBoxes::IconWord(BoxIcon icon)
{
    return icon == BoxIcon::None ? "none" : "info";
}

std::string ScriptedBoxes::BoxLine(const std::string& prompt, std::string_view buttons,
                                   std::string_view icon, const std::string& title,
                                   std::string_view answer)
{
    return "box " + Quoted(prompt) + " buttons=" + std::string(buttons) +
           " icon=" + std::string(icon) + " title=" + Quoted(title) + " -> " + std::string(answer);
}

std::string ScriptedBoxes::takeAnswer(const std::string& prompt, BoxButtons buttons)
{
    if (buttons == BoxButtons::Ok)
        return "ok";
    if (answers_.empty())
        throw ScriptError("no answer queued for the box " + Quoted(prompt));
    const std::string answer = answers_.front();
    answers_.pop_front();
    if (answer == "ok")
        throw ScriptError("the box " + Quoted(prompt) + " has no OK button");
    return answer;
}

int ScriptedBoxes::show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                        const std::string& title)
{
    const std::string answer = takeAnswer(prompt, buttons);
    transcript_.line(BoxLine(prompt, ButtonsWord(buttons), IconWord(icon), title, answer));
    return AnswerCode(answer);
}

QueuedPick ScriptedPicker::takePick(const std::string& title)
{
    if (picks_.empty())
        throw ScriptError("nothing queued for the picker " + Quoted(title));
    QueuedPick picked = picks_.front();
    picks_.pop_front();
    return picked;
}

std::string ScriptedPicker::PickerLine(const std::string& title, bool filesToo,
                                       const std::optional<std::string>& picked)
{
    return "picker " + Quoted(title) + (filesToo ? " files=1" : " files=0") + " -> " +
           (picked ? Quoted(*picked) : "cancel");
}

std::string ScriptedPicker::pick(const std::string& title, bool filesToo)
{
    QueuedPick picked = takePick(title);
    if (picked.convert && picked.path && filesToo && disk_)
        picked.path = ConvertInPicker(*disk_, transcript_, *picked.path);
    transcript_.line(PickerLine(title, filesToo, picked.path));
    return picked.path.value_or("");
}

} // namespace korvane::replay
