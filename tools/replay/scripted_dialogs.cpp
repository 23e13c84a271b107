#include "scripted_dialogs.h"

#include "script_error.h"

namespace korvane::replay {

namespace {

struct AnswerCode {
    std::string_view word;
    int code;
};

constexpr AnswerCode kAnswers[] = {
    {"yes", kAnswerYes}, {"no", kAnswerNo}, {"cancel", kAnswerCancel}, {"ok", kAnswerOk}};

std::string boxLine(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                    const std::string& title, std::string_view answer)
{
    return "box " + Quoted(prompt) + (buttons == BoxButtons::Ok ? " buttons=ok" : " buttons=ync") +
           (icon == BoxIcon::None ? " icon=none" : " icon=info") + " title=" + Quoted(title) +
           " -> " + std::string(answer);
}

} // namespace

bool ScriptedBoxes::IsAnswer(std::string_view answer)
{
    for (const AnswerCode& known : kAnswers) {
        if (known.word == answer)
            return true;
    }
    return false;
}

int ScriptedBoxes::show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                        const std::string& title)
{
    if (buttons == BoxButtons::Ok) {
        transcript_.line(boxLine(prompt, buttons, icon, title, "ok"));
        return kAnswerOk;
    }
    if (answers_.empty())
        throw ScriptError("no answer queued for the box " + Quoted(prompt));
    const std::string answer = answers_.front();
    answers_.pop_front();
    if (answer == "ok")
        throw ScriptError("the box " + Quoted(prompt) + " has no OK button");
    transcript_.line(boxLine(prompt, buttons, icon, title, answer));
    for (const AnswerCode& known : kAnswers) {
        if (known.word == answer)
            return known.code;
    }
    throw ScriptError("unknown answer " + answer);
}

std::string ScriptedPicker::pick(const std::string& title, bool filesToo)
{
    if (picks_.empty())
        throw ScriptError("nothing queued for the picker " + Quoted(title));
    const std::optional<std::string> picked = picks_.front();
    picks_.pop_front();
    transcript_.line("picker " + Quoted(title) + (filesToo ? " files=1" : " files=0") + " -> " +
                     (picked ? Quoted(*picked) : "cancel"));
    return picked.value_or("");
}

} // namespace korvane::replay
