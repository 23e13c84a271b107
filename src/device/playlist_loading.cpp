#include "device/playlist_loading.h"

#include "device/playlist_file.h"
#include "form/form1.h"

#include <unordered_set>
#include <vector>

namespace korvane {

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
