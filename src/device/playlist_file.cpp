#include "device/playlist_file.h"

#include "form/form1.h"
#include "sys/ascii.h"
#include "sys/errors.h"
#include "sys/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace korvane {

namespace {

// Appends name in the ANSI code page. Plain ASCII, nearly every call name, goes as it is:
// a playlist of thousands of rows is not converted name by name into copies.
void AppendAnsiName(std::string& bytes, const std::string& name, const std::string& path)
{
    if (IsAscii(name)) {
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

// Copies a line of a playlist, most of them 8 to 32 bytes, in four word moves: a call to
// memcpy for each of thousands of rows costs more than the copying. The words from both ends
// overlap in the middle.
void CopyShort(char* to, const char* from, std::size_t size)
{
    if (size < 8 || size > 32) {
        std::memcpy(to, from, size);
        return;
    }
    const std::size_t half = size > 16 ? 8 : 0;
    const std::size_t at[4] = {0, half, size - 8 - half, size - 8};
    std::uint64_t words[4];
    for (int i = 0; i < 4; ++i)
        std::memcpy(&words[i], from + at[i], 8);
    for (int i = 0; i < 4; ++i)
        std::memcpy(to + at[i], &words[i], 8);
}

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
    // Each line goes straight into one buffer, sized for the rows as they are now and never
    // filled in advance; it grows only if the rows change while the writer yields.
    std::size_t capacity = 0;
    for (const std::string& row : f.List1.items())
        capacity += row.size() + 2;
    std::unique_ptr<char[]> bytes(new char[capacity]);
    std::size_t used = 0;
    const auto room = [&bytes, &capacity, &used](std::size_t size) {
        if (capacity - used < size) {
            const std::size_t larger = std::max(2 * capacity, used + size);
            std::unique_ptr<char[]> grown(new char[larger]);
            std::memcpy(grown.get(), bytes.get(), used);
            bytes = std::move(grown);
            capacity = larger;
        }
        char* at = bytes.get() + used;
        used += size;
        return at;
    };
    const int count = f.List1.ListCount();
    for (f.LoopIndex = 0; f.LoopIndex < count; ++f.LoopIndex) {
        // The count is read again for every row: the last row present gets no line break.
        const int n = f.List1.ListCount();
        // Read in place; the reference is not kept across the yield, which may change List1.
        const std::string& row =
            f.LoopIndex < n ? f.List1.items()[static_cast<std::size_t>(f.LoopIndex)] : kNoRow;
        const bool lineBreak = f.LoopIndex < n - 1;
        if (IsAscii(row)) {
            // The line as written is the row as it is.
            const std::size_t size = row.size() + (lineBreak ? 2 : 0);
            char* line = room(size);
            CopyShort(line, row.data(), row.size());
            if (lineBreak) {
                line[row.size()] = '\r';
                line[row.size() + 1] = '\n';
            }
            f.PlaylistLine.resize(size);
            CopyShort(f.PlaylistLine.data(), line, size);
        } else {
            f.PlaylistLine.assign(row).append(lineBreak ? "\r\n" : "");
            std::string ansi;
            AppendAnsiName(ansi, row, path);
            if (lineBreak)
                ansi += "\r\n";
            std::memcpy(room(ansi.size()), ansi.data(), ansi.size());
        }
        f.WaitDone = kWriteYielding;
        YieldToWindowEvents(f);
        f.WaitDone = kWriteDone;
    }
    f.disk.WriteBytes(path, std::string_view(bytes.get(), used));
}

std::vector<std::string> ReadPlaylistLines(Form1& f, const std::string& path)
{
    std::vector<std::string> lines = f.disk.ReadLines(path);
    for (std::string& line : lines)
        line = FromAnsi(line);
    return lines;
}

} // namespace korvane
