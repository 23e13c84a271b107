// The trash of a scene: what the program put there, read back from the trash folders
// themselves (the scene's home trash and the trash of each drive's volume), and a trash that
// can take nothing.
#include "command_handlers.h"
#include "session.h"
#include "sys/text.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane::replay {

namespace {

void showTrash(Session& s)
{
    const Disk& disk = s.window().disk;
    std::vector<fs::path> volumes;
    for (const DriveMapping& drive : disk.Drives())
        volumes.push_back(fs::path(reinterpret_cast<const char8_t*>(drive.hostRoot.c_str())));
    struct Line {
        std::string key;
        std::string text;
    };
    std::vector<Line> lines;
    for (const TrashedFile& file : disk.trash()->contents(volumes)) {
        const std::u8string host = file.original.lexically_normal().u8string();
        const std::string hostText(host.begin(), host.end());
        const std::optional<std::string> path = disk.WindowsPath(hostText);
        std::error_code error;
        const std::uintmax_t size = fs::file_size(file.stored, error);
        const std::string shown = path ? *path : "(outside the drives) " + hostText;
        lines.push_back({LowerCase(shown) + '\0' + shown,
                         "  " + shown + " " + (error ? "?" : std::to_string(size))});
    }
    std::sort(lines.begin(), lines.end(),
              [](const Line& a, const Line& b) { return a.key < b.key; });
    s.transcript.line("trash");
    for (const Line& line : lines)
        s.transcript.line(line.text);
}

} // namespace

Action ShowTrashCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 1, 1, "show trash");
    return [&s] { showTrash(s); };
}

Action NoTrashCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 0, 0, "no-trash");
    return [&s] {
        // A plain file where the trash folder would be: the trash cannot be made, so the
        // program must delete as it would without one.
        const fs::path blocker = s.scene.trashFolder();
        std::error_code error;
        if (fs::exists(blocker, error))
            throw ScriptError("the scene's trash is in use already");
        std::ofstream(blocker) << "not a trash\n";
    };
}

} // namespace korvane::replay
