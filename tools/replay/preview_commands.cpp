// Hearing calls: play the call of a row, stop it, and show what a file holds as sound and how
// loud it is. The transcript line comes from the core's readers, so both frontends print the
// same; with the real window the call is also played by its player.
#include "calls/call_info.h"
#include "command_handlers.h"
#include "convert/call_loudness.h"
#include "convert/loudness_text.h"
#include "form/call_rows.h"
#include "session.h"
#include "sys/host_files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace korvane::replay {

namespace {

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    return text;
}

const std::vector<std::string>& RowsOf(const Control& list)
{
    if (list.kind() == ControlKind::ListBox)
        return static_cast<const ListBox&>(list).items();
    return static_cast<const FileListBox&>(list).names();
}

} // namespace

std::string CallInfoWords(const CallInfo& info, bool format)
{
    switch (info.kind) {
    case CallInfo::Kind::Audio:
        if (!format)
            return "length=" + Seconds(info.seconds) + " s";
        return "length=" + Seconds(info.seconds) + " s bitrate=" + std::to_string(info.kbps) +
               " kbps rate=" + std::to_string(info.rate) +
               " Hz channels=" + std::to_string(info.channels);
    case CallInfo::Kind::NotAudio:
        return "not-audio";
    case CallInfo::Kind::Missing:
        return "missing";
    case CallInfo::Kind::Unreadable:
        return "unreadable";
    }
    return {};
}

void ShowInfo(Session& s, const Word& path)
{
    const std::filesystem::path host = s.scene.hostPath(path.text);
    s.transcript.line("info " + path.source + " " +
                      CallInfoWords(ReadCallInfo(host::TextOf(host)), true));
}

void ShowLoudness(Session& s, const Word& path)
{
    const std::filesystem::path host = s.scene.hostPath(path.text);
    std::string words = "missing";
    // A folder holds no sound, as for show info.
    if (std::filesystem::is_directory(host)) {
        words = "not-audio";
    } else if (std::ifstream file{host, std::ios::binary}) {
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const CallLoudness call = MeasureCallLoudness(bytes);
        words = call.audio ? "integrated=" + LoudnessFigure(call.loudness.integrated) +
                                 " LUFS peak=" + LoudnessFigure(call.loudness.truePeak) + " dBTP"
                           : "not-audio";
    }
    s.transcript.line("loudness " + path.source + " " + words);
}

Action PlayCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "play File2|List1|File1 NAME");
    Control& list = s.control(in.arguments[0].text);
    if (list.name() != "File2" && list.name() != "List1" && list.name() != "File1")
        throw ScriptError("cannot play from " + list.name());
    return [&s, &list, name = in.arguments[1].text] {
        s.requireOpenWindow();
        // The rows are looked at when the input arrives, as for select.
        const std::vector<std::string>& rows = RowsOf(list);
        if (std::find(rows.begin(), rows.end(), name) == rows.end())
            throw ScriptError(list.name() + " does not list " + name);
        Form1& form = s.window();
        const std::string path = CallPathOfRow(form, list.name(), name);
        const std::optional<std::string> host = form.disk.HostPath(path);
        const CallInfo info = host ? ReadCallInfo(*host) : CallInfo{};
        s.transcript.line("play " + Quoted(path) + " " + CallInfoWords(info, false));
        s.frontend().play(list, name);
    };
}

Action StopCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "stop");
    return [&s] {
        s.requireOpenWindow();
        s.transcript.line("stop");
        s.frontend().stop();
    };
}

} // namespace korvane::replay
