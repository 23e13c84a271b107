#include "playlist/playlist_file.h"

#include "app/form1.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace korvane {

namespace {

std::string AnsiName(const std::string& name, const std::string& path)
{
    std::optional<std::string> ansi = ToAnsi(name);
    if (!ansi)
        throw PlatformError("write", path,
                            "the name \"" + name + "\" has characters a playlist file cannot hold");
    return *ansi;
}

} // namespace

std::string PlaylistBytes(const std::vector<std::string>& names, const std::string& path)
{
    std::string bytes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += AnsiName(names[i], path);
    }
    return bytes;
}

void WritePlaylistFile(Form1& f, const std::string& path)
{
    std::string bytes;
    const int count = f.List1.ListCount();
    for (f.LoopIndex = 0; f.LoopIndex < count; ++f.LoopIndex) {
        // The count is read again for every row: the last row present gets no line break.
        const int n = f.List1.ListCount();
        const std::string row = f.List1.List(f.LoopIndex);
        const char* lineEnd = f.LoopIndex < n - 1 ? "\r\n" : "";
        f.PlaylistLine.assign(row).append(lineEnd);
        bytes += AnsiName(row, path);
        bytes += lineEnd;
        f.WaitDone = 0;
        YieldToWindowEvents(f);
        f.WaitDone = -1;
    }
    f.disk.WriteBytes(path, bytes);
}

std::vector<std::string> ReadPlaylistLines(Form1& f, const std::string& path)
{
    std::vector<std::string> lines = f.disk.ReadLines(path);
    for (std::string& line : lines)
        line = FromAnsi(line);
    return lines;
}

} // namespace korvane
