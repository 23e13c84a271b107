#include "playlist/loading.h"

#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_loading.h"
#include "form/form1.h"

namespace korvane {

void Combo1_Click(Form1& f)
{
    f.LineMatched = kLoadStarted;
    const int slot = f.Combo1.ListIndex();
    if (IsPlaylistSlot(slot)) {
        const std::string path = f.UseWorkingCopy == kDeviceCopy
                                     ? f.File2.Path() + "\\" + PlaylistName(slot)
                                     : WorkingPlaylistFile(slot);
        LoadPlaylistFile(f, slot, path, false);
    }
    RefreshFreeSpace(f);
}

} // namespace korvane
