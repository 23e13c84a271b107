#include "device/playlist_file.h"

#include "app/form1.h"
#include "platform/errors.h"
#include "platform/text.h"

#include <algorithm>
#include <unordered_set>

namespace korvane {

namespace {

// Appends name in the ANSI code page. Plain ASCII, nearly every call name, goes as it is:
// a playlist of thousands of rows is not converted name by name into copies.
void AppendAnsiName(std::string& bytes, const std::string& name, const std::string& path)
{
    if (std::all_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        bytes += name;
        return;
    }
    const std::optional<std::string> ansi = ToAnsi(name);
    if (!ansi)
        throw PlatformError("write", path,
                            "the name \"" + name + "\" has characters a playlist file cannot hold");
    bytes += *ansi;
}

const std::string kNoRow; // what List1 reads for a row no longer there

} // namespace

std::string PlaylistBytes(const std::vector<std::string>& names, const std::string& path)
{
    std::string bytes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        AppendAnsiName(bytes, names[i], path);
    }
    return bytes;
}

void WritePlaylistFile(Form1& f, const std::string& path)
{
    std::string bytes;
    const int count = f.List1.ListCount();
    std::size_t expected = 0; // grown once rather than step by step over a long list
    for (const std::string& row : f.List1.items())
        expected += row.size() + 2;
    bytes.reserve(expected);
    for (f.LoopIndex = 0; f.LoopIndex < count; ++f.LoopIndex) {
        // The count is read again for every row: the last row present gets no line break.
        const int n = f.List1.ListCount();
        // Read in place; the reference is not kept across the yield, which may change List1.
        const std::string& row =
            f.LoopIndex < n ? f.List1.items()[static_cast<std::size_t>(f.LoopIndex)] : kNoRow;
        const char* lineEnd = f.LoopIndex < n - 1 ? "\r\n" : "";
        f.PlaylistLine.assign(row).append(lineEnd);
        AppendAnsiName(bytes, row, path);
        bytes += lineEnd;
        f.WaitDone = kWriteYielding;
        YieldToWindowEvents(f);
        f.WaitDone = kWriteDone;
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

std::string MissingPlaylistMessage(int slot)
{
    return "Play List" + std::to_string(slot) + " not existed ! Will establish automatically.";
}

void LoadPlaylistFile(Form1& f, int slot, const std::string& path, bool reportUnmatched)
{
    f.PlaylistFilePath = path;
    f.DirResult = f.disk.Probe(path);
    if (f.DirResult.empty()) {
        MsgBox(f, MissingPlaylistMessage(slot));
        f.disk.WriteBytes(path, "");
        return;
    }
    f.List1.Clear();
    // Every line is compared with every listed name; the names of a folder are unique, so a
    // set gives the same rows without the quadratic scan.
    const std::vector<std::string>& listed = f.File2.names();
    const std::unordered_set<std::string> names(listed.begin(), listed.end());
    std::vector<std::string> rows;
    for (std::string& line : ReadPlaylistLines(f, path)) {
        f.PlaylistLine = line;
        if (names.count(line)) {
            rows.push_back(std::move(line));
            f.LineMatched = kLineMatched;
        }
        if (reportUnmatched && f.LineMatched != kLineMatched) {
            f.List1.AddItems(std::move(rows));
            rows.clear();
            MsgBox(f, f.PlaylistLine + " not existed ! Can't list it !");
        }
    }
    f.List1.AddItems(std::move(rows));
}

} // namespace korvane
