#include "commands.h"

#include "command_handlers.h"
#include "session.h"

#include <charconv>

namespace korvane::replay {

namespace {

using W = When;
using R = Reading;

constexpr CommandDefinition kCommands[] = {
    // name, when, reading, escaped argument, user input, handler
    {"drive", W::BeforeStart, R::Words, -1, false, DriveCommand},
    {"cwd", W::BeforeStart, R::Words, -1, false, CwdCommand},
    {"mkdir", W::Anytime, R::Words, -1, false, MkdirCommand},
    {"file", W::Anytime, R::Words, -1, false, FileCommand},
    {"text", W::Anytime, R::Words, 1, false, TextCommand},
    {"kit", W::Anytime, R::Words, -1, false, KitCommand},
    {"fault", W::Anytime, R::Words, -1, false, FaultCommand},
    {"unfault", W::Anytime, R::Words, -1, false, UnfaultCommand},
    {"answer", W::Anytime, R::Words, -1, false, AnswerCommand},
    {"pick", W::Anytime, R::Words, -1, false, PickCommand},
    {"no-trash", W::BeforeStart, R::Words, -1, false, NoTrashCommand},
    {"start", W::BeforeStart, R::Words, -1, false, StartCommand},
    {"click", W::AfterStart, R::Words, -1, true, ClickCommand},
    {"choose", W::AfterStart, R::Words, -1, true, ChooseCommand},
    {"type", W::AfterStart, R::Words, 1, true, TypeCommand},
    {"open", W::AfterStart, R::Words, -1, true, OpenCommand},
    {"select", W::AfterStart, R::Words, -1, true, SelectCommand},
    {"play", W::AfterStart, R::Words, -1, true, PlayCommand},
    {"stop", W::AfterStart, R::Words, -1, true, StopCommand},
    {"during-yield", W::AfterStart, R::WholeCommand, -1, false, DuringYieldCommand},
    {"at-progress", W::AfterStart, R::WholeCommand, -1, false, AtProgressCommand},
    {"show", W::AfterStart, R::Words, -1, false, ShowCommand},
    // Korvane's own, for the setup most scripts repeat.
    {"on-kit", W::BeforeStart, R::Words, -1, false, OnKitCommand},
    {"start-on-kit", W::BeforeStart, R::Words, -1, false, StartOnKitCommand},
    {"soundfolder", W::Anytime, R::Words, -1, false, SoundFolderCommand},
    {"calls", W::Anytime, R::Words, -1, false, CallsCommand},
    {"file-yes", W::AfterStart, R::Words, -1, false, FileYesCommand},
    {"upload-to", W::AfterStart, R::Words, -1, false, UploadToCommand},
    {"tone", W::Anytime, R::Words, -1, false, ToneCommand},
};

const CommandDefinition* findCommand(std::string_view name)
{
    for (const CommandDefinition& command : kCommands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace

void ExpectArguments(const Invocation& in, std::size_t least, std::size_t most,
                     std::string_view usage)
{
    if (in.arguments.size() < least || in.arguments.size() > most)
        throw ScriptError("usage: " + std::string(usage));
}

std::int64_t ParseInteger(const Word& word)
{
    std::int64_t value = 0;
    const std::string& text = word.text;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw ScriptError("not a whole number: " + word.source);
    return value;
}

PreparedCommand PrepareCommand(Session& session, std::string_view text)
{
    Lexer lexer(text);
    const Word name = lexer.next(false);
    const CommandDefinition* command = findCommand(name.text);
    if (!command)
        throw ScriptError("unknown command " + name.source);
    if (command->when == When::BeforeStart && session.started())
        throw ScriptError(name.text + " must come before start");
    if (command->when == When::AfterStart && !session.started())
        throw ScriptError(name.text + " needs the window: start first");

    Invocation in;
    in.name = command->name;
    in.rest = lexer.rest();
    if (command->reading == Reading::Words) {
        for (int index = 0; !lexer.atEnd(); ++index)
            in.arguments.push_back(lexer.next(index == command->escapedArgument));
    }
    return {command, command->prepare(session, in)};
}

} // namespace korvane::replay
