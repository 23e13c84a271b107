// The commands that set the scene and queue what the dialogs will answer.
#include "command_handlers.h"
#include "session.h"

#include <cctype>

namespace korvane::replay {

namespace {

// "d" or "d:" -> 'd'.
char driveLetter(const Word& word)
{
    const std::string& text = word.text;
    const bool letter = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0]));
    if (!letter || text.size() > 2 || (text.size() == 2 && text[1] != ':'))
        throw ScriptError("not a drive letter: " + word.source);
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
}

bool startsWithDrive(std::string_view path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

} // namespace

Action DriveCommand(Session& s, const Invocation& in)
{
    constexpr std::string_view usage = "drive L [LABEL] [host=PATH]";
    ExpectArguments(in, 1, 3, usage);
    const char letter = driveLetter(in.arguments[0]);
    std::string label;
    std::string host;
    for (std::size_t i = 1; i < in.arguments.size(); ++i) {
        const Word& word = in.arguments[i];
        const bool hostWord = !word.quoted && word.text.starts_with("host=");
        if (hostWord && host.empty() && word.text.size() > 5)
            host = word.text.substr(5);
        else if (!hostWord && i == 1)
            label = word.text;
        else
            throw ScriptError("usage: " + std::string(usage));
    }
    return [&s, letter, label, host] { s.scene.addDrive(letter, label, host); };
}

Action CwdCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "cwd PATH");
    const std::string path = in.arguments[0].text;
    if (!startsWithDrive(path))
        throw ScriptError("cwd needs a path with its drive: " + in.arguments[0].source);
    return [&s, path] { s.scene.setWorkingFolder(path); };
}

Action MkdirCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "mkdir PATH");
    return [&s, path = in.arguments[0].text] { s.scene.makeFolder(path); };
}

Action FileCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "file PATH SIZE");
    const std::int64_t size = ParseInteger(in.arguments[1]);
    if (size < 0)
        throw ScriptError("a file cannot hold " + in.arguments[1].source + " bytes");
    return [&s, path = in.arguments[0].text, size] {
        s.scene.writeFilledFile(path, static_cast<std::uint64_t>(size));
    };
}

Action TextCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "text PATH \"BYTES\"");
    return [&s, path = in.arguments[0].text, bytes = in.arguments[1].text] {
        s.scene.writeFile(path, bytes);
    };
}

Action KitCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "kit PATH");
    return [&s, path = in.arguments[0].text] { s.scene.writeKit(path); };
}

// fault corrupt PATTERN: a faulty medium; fault space PATTERN FREE [cluster=N]: a small volume.
Action MediumFaultCommand(Session& s, const Invocation& in)
{
    const std::string pattern = in.arguments[1].text;
    if (in.arguments[0].text == "corrupt") {
        ExpectArguments(in, 2, 2, "fault corrupt PATTERN");
        return [&s, pattern] { s.faults.addCorrupt(pattern); };
    }
    constexpr std::string_view usage = "fault space PATTERN FREE [cluster=N]";
    ExpectArguments(in, 3, 4, usage);
    SpaceRule rule{pattern, {ParseInteger(in.arguments[2]), 0}};
    if (in.arguments.size() == 4) {
        const Word& word = in.arguments[3];
        if (word.quoted || !word.text.starts_with("cluster="))
            throw ScriptError("usage: " + std::string(usage));
        rule.space.clusterBytes = ParseInteger({word.text.substr(8), false, word.source});
    }
    if (rule.space.freeBytes < 0 || rule.space.clusterBytes < 0)
        throw ScriptError("a volume cannot hold less than nothing: " + std::string(in.rest));
    return [&s, rule] { s.faults.addSpace(rule); };
}

Action FaultCommand(Session& s, const Invocation& in)
{
    constexpr std::string_view usage = "fault OP PATTERN [ERROR] [after=N]";
    ExpectArguments(in, 2, 4, usage);
    if (in.arguments[0].text == "corrupt" || in.arguments[0].text == "space")
        return MediumFaultCommand(s, in);
    if (in.arguments[0].text == "slow")
        return SlowFaultCommand(s, in);
    FaultRule rule;
    rule.operation = in.arguments[0].text;
    if (!IsFaultOperation(rule.operation))
        throw ScriptError("unknown disk operation " + in.arguments[0].source);
    rule.pattern = in.arguments[1].text;
    std::optional<std::string> error;
    for (std::size_t i = 2; i < in.arguments.size(); ++i) {
        const Word& word = in.arguments[i];
        if (!word.quoted && word.text.starts_with("after=") && !rule.after) {
            Word count{word.text.substr(6), false, word.source};
            const std::int64_t after = ParseInteger(count);
            if (after < 0 || after > 1'000'000'000)
                throw ScriptError("after= needs a count: " + word.source);
            rule.after = static_cast<int>(after);
        } else if (!error && !rule.after) {
            error = word.text;
        } else {
            throw ScriptError("usage: " + std::string(usage));
        }
    }
    rule.error = error.value_or("Permission denied");
    return [&s, rule] { s.faults.add(rule); };
}

Action UnfaultCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "unfault");
    return [&s] { s.faults.clear(); };
}

Action AnswerCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, SIZE_MAX, "answer A [A...]");
    std::vector<std::string> answers;
    for (const Word& word : in.arguments) {
        if (!ScriptedBoxes::IsAnswer(word.text))
            throw ScriptError("not an answer (yes, no, cancel, ok): " + word.source);
        answers.push_back(word.text);
    }
    return [&s, answers] {
        for (const std::string& answer : answers)
            s.boxes.queue(answer);
    };
}

Action PickCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 2, "pick PATH [convert] | pick cancel");
    const Word& word = in.arguments[0];
    // A quoted "cancel" is a path of that name.
    QueuedPick picked;
    if (word.quoted || word.text != "cancel")
        picked.path = word.text;
    if (in.arguments.size() == 2) {
        if (in.arguments[1].text != "convert" || !picked.path)
            throw ScriptError("usage: pick PATH [convert] | pick cancel");
        picked.convert = true;
    }
    return [&s, picked] { s.picker.queue(picked); };
}

Action StartCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "start");
    return [&s] { s.start(); };
}

} // namespace korvane::replay
