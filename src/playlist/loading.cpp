#include "playlist/loading.h"

#include "app/form1.h"
#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_file.h"

namespace korvane {

void Combo1_Click(Form1& f)
{
    f.LineMatched = 2;
    const int slot = f.Combo1.ListIndex();
    if (slot >= 0 && slot <= 9) {
        const std::string path = f.UseWorkingCopy == 0 ? f.File2.Path() + "\\" + PlaylistName(slot)
                                                       : WorkingPlaylistFile(slot);
        LoadPlaylistFile(f, slot, path, false);
    }
    RefreshFreeSpace(f);
}

} // namespace korvane
