// The commands that act as the user: they reach the window through the same input entry
// points as the real widgets.
#include "command_handlers.h"
#include "session.h"

#include <cctype>

namespace korvane::replay {

namespace {

template <typename Kind>
Kind& controlOfKind(Session& s, const Word& name, ControlKind kind, std::string_view verb)
{
    Control& c = s.control(name.text);
    if (c.kind() != kind)
        throw ScriptError("cannot " + std::string(verb) + " " + name.text);
    return static_cast<Kind&>(c);
}

Action chooseItem(Session& s, ComboBox& combo, const Word& item)
{
    const std::int64_t index = ParseInteger(item);
    if (index < 0 || index >= combo.ListCount())
        throw ScriptError(combo.name() + " has no item " + item.source);
    return [&s, &combo, index] {
        s.requireOpenWindow();
        s.frontend().choose(combo, static_cast<int>(index));
    };
}

Action chooseDrive(Session& s, DriveListBox& drives, const Word& entry)
{
    const std::string& text = entry.text;
    const bool letter = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0])) &&
                        (text.size() == 1 || (text.size() == 2 && text[1] == ':'));
    if (!letter)
        throw ScriptError("not a drive letter: " + entry.source);
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (!s.window().disk.HasDrive(drive))
        throw ScriptError(drives.name() + " lists no drive " + entry.source);
    return [&s, &drives, drive] {
        s.requireOpenWindow();
        s.frontend().chooseDrive(drives, drive);
    };
}

} // namespace

Action ClickCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "click CONTROL");
    auto& button =
        controlOfKind<CommandButton>(s, in.arguments[0], ControlKind::CommandButton, "click");
    return [&s, &button] {
        s.requireOpenWindow();
        if (const std::optional<std::string> ignored = s.frontend().click(button))
            s.transcript.line("click " + button.name() + ": ignored (" + *ignored + ")");
    };
}

Action ChooseCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "choose Combo1 N | choose Drive1 L");
    Control& c = s.control(in.arguments[0].text);
    if (c.kind() == ControlKind::ComboBox)
        return chooseItem(s, static_cast<ComboBox&>(c), in.arguments[1]);
    if (c.kind() == ControlKind::DriveListBox)
        return chooseDrive(s, static_cast<DriveListBox&>(c), in.arguments[1]);
    throw ScriptError("cannot choose in " + c.name());
}

Action TypeCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "type Combo1 \"TEXT\"");
    auto& combo = controlOfKind<ComboBox>(s, in.arguments[0], ControlKind::ComboBox, "type into");
    return [&s, &combo, text = in.arguments[1].text] {
        s.requireOpenWindow();
        s.frontend().type(combo, text);
    };
}

Action OpenCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "open Dir1 PATH");
    auto& folders =
        controlOfKind<DirListBox>(s, in.arguments[0], ControlKind::DirListBox, "open a folder in");
    return [&s, &folders, path = in.arguments[1].text] {
        s.requireOpenWindow();
        s.frontend().open(folders, path);
    };
}

Action SelectCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "select List1 N | select File2 NAME");
    Control& c = s.control(in.arguments[0].text);
    const Word& which = in.arguments[1];
    if (c.kind() == ControlKind::ListBox) {
        auto& list = static_cast<ListBox&>(c);
        const std::int64_t row = ParseInteger(which);
        // The rows are counted when the input arrives: an operation may change them first.
        return [&s, &list, row, source = which.source] {
            s.requireOpenWindow();
            s.frontend().select(list, row, source);
        };
    }
    if (c.kind() == ControlKind::FileListBox) {
        auto& files = static_cast<FileListBox&>(c);
        const bool none = !which.quoted && which.text == "-";
        return [&s, &files, none, name = which.text] {
            s.requireOpenWindow();
            s.frontend().selectFile(files, none ? std::string() : name);
        };
    }
    throw ScriptError("cannot select in " + c.name());
}

Action DuringYieldCommand(Session& s, const Invocation& in)
{
    if (in.rest.empty())
        throw ScriptError("usage: during-yield COMMAND");
    PreparedCommand input = PrepareCommand(s, in.rest);
    if (!input.command->userInput)
        throw ScriptError(std::string(input.command->name) + " is no user input");
    return [&s, text = std::string(in.rest), run = std::move(input.run)] {
        s.pump.queue({text, s.line(), run});
    };
}

} // namespace korvane::replay
