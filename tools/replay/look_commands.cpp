// show: the window, its controls and fields, and the files on the drives as the host holds
// them.
#include "command_handlers.h"
#include "session.h"
#include "sys/host_files.h"
#include "sys/text.h"
#include "window_lines.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace korvane::replay {

namespace {

void showFiles(Session& s, const Word& path)
{
    const fs::path folder = s.scene.hostPath(path.text);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        s.transcript.line("files " + path.source + " missing");
        return;
    }
    struct Entry {
        std::string key;
        std::string line;
    };
    std::vector<Entry> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = host::TextOf(entry.path().filename());
        const std::string line = entry.is_directory()
                                     ? "  " + name + "/"
                                     : "  " + name + " " + std::to_string(entry.file_size());
        entries.push_back({LowerCase(name) + '\0' + name, line});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
    s.transcript.line("files " + path.source);
    for (const Entry& entry : entries)
        s.transcript.line(entry.line);
}

void showBytes(Session& s, const Word& path)
{
    const fs::path file = s.scene.hostPath(path.text);
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        s.transcript.line("bytes " + path.source + " missing");
        return;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof())
        throw ScriptError("cannot read " + path.source);
    s.transcript.line("bytes " + path.source + " " + Quoted(bytes));
}

void showNamed(Session& s, const std::string& name)
{
    Form1& form = s.window();
    if (name == "state") {
        for (const Control* c : form.controls())
            s.transcript.line(s.frontend().controlLine(*c));
        for (const std::string& line : FieldLines(form))
            s.transcript.line(line);
    } else if (name == "caption") {
        s.transcript.line("Form1 " + Quoted(s.frontend().caption(form)));
    } else if (const Control* c = form.control(name)) {
        s.transcript.line(s.frontend().controlLine(*c));
    } else if (const std::optional<std::string> field = FieldLine(form, name)) {
        s.transcript.line(*field);
    } else {
        throw ScriptError("nothing to show called " + name);
    }
}

} // namespace

Action ShowCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 2,
                    "show CONTROL|FIELD|caption|state|files PATH|bytes PATH|info PATH|"
                    "loudness PATH");
    const std::string& what = in.arguments[0].text;
    if (what == "rows")
        return ShowRowsCommand(s, in);
    if (what == "trash")
        return ShowTrashCommand(s, in);
    if (what == "files" || what == "bytes" || what == "info" || what == "loudness") {
        ExpectArguments(in, 2, 2, "show " + what + " PATH");
        const Word path = in.arguments[1];
        if (what == "files")
            return [&s, path] { showFiles(s, path); };
        if (what == "info")
            return [&s, path] { ShowInfo(s, path); };
        if (what == "loudness")
            return [&s, path] { ShowLoudness(s, path); };
        return [&s, path] { showBytes(s, path); };
    }
    ExpectArguments(in, 1, 1, "show CONTROL|FIELD|caption|state");
    // Checked now, so a misspelt name fails on its own line.
    if (what != "state" && what != "caption" && !s.window().control(what) &&
        !FieldLine(s.window(), what))
        throw ScriptError("nothing to show called " + what);
    return [&s, what] { showNamed(s, what); };
}

} // namespace korvane::replay
