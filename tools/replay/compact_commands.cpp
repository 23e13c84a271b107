// Commands of Korvane's own that stand for the setup lines most scripts repeat. Each expands to
// the lines it stands for and runs them exactly as written, so the window sees the same; only
// the compact command is echoed.
#include "command_handlers.h"
#include "device/layout.h"
#include "session.h"

#include <vector>

namespace korvane::replay {

namespace {

// A path or name as a word of a script line: quoted when it holds blanks.
std::string asWord(const Word& word)
{
    if (word.text.find('"') != std::string::npos)
        throw ScriptError("a path cannot hold a double quote: " + word.source);
    if (word.text.find_first_of(" \t") == std::string::npos)
        return word.text;
    return "\"" + word.text + "\"";
}

// BYTES of a text line that hold exactly text.
std::string asBytes(std::string_view text)
{
    std::string bytes = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            bytes += '\\';
        bytes += c;
    }
    return bytes + "\"";
}

// Each line runs as if it stood in the script, held-back input included.
Action expanded(Session& s, std::vector<std::string> lines)
{
    return [&s, lines = std::move(lines)] {
        for (const std::string& line : lines) {
            PrepareCommand(s, line).run();
            s.deliverArrivedInput();
        }
    };
}

// NAME, NAME=SIZE or NAME:TEXT: the text or file line that writes that call into folder. A
// Windows name holds no ':', so the first one ends the name.
std::string callLine(const std::string& folder, const Word& call)
{
    auto at = [&](const std::string& name) {
        if (name.empty())
            throw ScriptError("a call is NAME, NAME=SIZE or NAME:TEXT: " + call.source);
        return asWord({folder + "\\" + name, false, call.source});
    };
    if (const std::size_t colon = call.text.find(':'); colon != std::string::npos)
        return "text " + at(call.text.substr(0, colon)) + " " +
               asBytes(call.text.substr(colon + 1));
    const std::size_t equals = call.text.rfind('=');
    if (equals == std::string::npos)
        return "text " + at(call.text) + " " + asBytes(call.text);
    const Word size{call.text.substr(equals + 1), false, call.source};
    if (ParseInteger(size) < 0)
        throw ScriptError("a call is NAME, NAME=SIZE or NAME:TEXT: " + call.source);
    return "file " + at(call.text.substr(0, equals)) + " " + size.text;
}

} // namespace

Action OnKitCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "on-kit");
    return expanded(s, {"drive c", "drive d DATA", "kit d:\\kit", "cwd d:\\kit"});
}

Action StartOnKitCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "start-on-kit");
    return expanded(s, {"on-kit", "start"});
}

Action SoundFolderCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, SIZE_MAX, "soundfolder PATH [CALL...]");
    const std::string& folder = in.arguments[0].text;
    auto inside = [&](std::string_view name) {
        return asWord({folder + "\\" + std::string(name), false, in.arguments[0].source});
    };
    std::vector<std::string> lines{"mkdir " + asWord(in.arguments[0])};
    for (int slot = 0; slot < kPlaylistSlots; ++slot)
        lines.push_back("text " + inside(PlaylistName(slot)) + " \"\"");
    lines.push_back("text " + inside("bt1_orig.hd3") + " \"chime up\"");
    lines.push_back("text " + inside("bt2_orig.hd3") + " \"chime down\"");
    lines.push_back("text " + inside("L.txt") + " \"en\"");
    lines.push_back("text " + inside("S.txt") + " \"s\"");
    lines.push_back("text " + inside("T.txt") + " \"t\"");
    for (std::size_t i = 1; i < in.arguments.size(); ++i)
        lines.push_back(callLine(folder, in.arguments[i]));
    return expanded(s, std::move(lines));
}

Action CallsCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, SIZE_MAX, "calls PATH CALL [CALL...]");
    std::vector<std::string> lines{"mkdir " + asWord(in.arguments[0])};
    for (std::size_t i = 1; i < in.arguments.size(); ++i)
        lines.push_back(callLine(in.arguments[0].text, in.arguments[i]));
    return expanded(s, std::move(lines));
}

Action FileYesCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 1, "file-yes [PATH]");
    std::vector<std::string> lines{"click Command1"};
    if (!in.arguments.empty())
        lines.push_back("open Dir2 " + asWord(in.arguments[0]));
    lines.push_back("click Command7");
    return expanded(s, std::move(lines));
}

Action UploadToCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "upload-to PATH");
    return expanded(s, {"answer yes", "pick " + asWord(in.arguments[0]), "click Command18"});
}

} // namespace korvane::replay
