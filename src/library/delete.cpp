#include "library/delete.h"

#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_file.h"
#include "form/confirmation.h"
#include "form/form1.h"
#include "form/navigation.h"
#include "sys/errors.h"

#include <unordered_set>

namespace korvane {

namespace {

// Takes every row equal to name out of List1, each one selected and then removed.
void RemoveRowsNamed(Form1& f, const std::string& name)
{
    for (int row = 0; row < f.List1.ListCount();) {
        if (f.List1.List(row) == name) {
            f.List1.setListIndex(row);
            f.List1.RemoveItem(row);
            f.List1.Refresh();
        } else {
            ++row;
        }
    }
}

// Takes every row naming one of names out of List1 in one pass, so deleting thousands of files
// does not walk a long playlist once for each. It leaves the rows and the selection as
// removing them one by one does: no row selected once any went.
void RemoveRowsNamedAny(Form1& f, const std::unordered_set<std::string>& names)
{
    if (names.empty())
        return;
    std::vector<std::string> kept;
    kept.reserve(f.List1.items().size());
    for (const std::string& row : f.List1.items()) {
        if (names.count(row) == 0)
            kept.push_back(row);
    }
    if (kept.size() == f.List1.items().size())
        return;
    f.List1.Clear();
    f.List1.AddItems(std::move(kept));
    f.List1.Refresh();
}

} // namespace

// "Delete": removes the selected sound file and its rows, then rewrites the slot's playlists.
void Command5_Click(Form1& f)
{
    HideComputerBrowser(f);
    const std::string name = f.File2.List(f.File2.ListIndex());
    if (name.empty())
        return;
    const std::string path = f.File2.Path() + "\\" + name;
    RecordAnswer(f, MsgBox(f, "Do you want to delete the sound source: " + name + " ? ",
                           BoxButtons::YesNoCancel, BoxIcon::Information, "Warning !"));
    if (f.MsgAnswer == kAnswerYes) {
        // Measured and deleted before its rows go, so a file that cannot be deleted keeps
        // its rows and the total.
        const std::int64_t length = f.disk.FileLen(path);
        f.disk.Recycle(path);
        f.UsedBytes -= length;
        RemoveRowsNamed(f, name);
        f.File2.Refresh();
        if (f.UsedBytes <= f.CapacityBytes)
            ShowFreeSpace(f, kFreeSpaceLabel);
    }
    if (f.ConfirmDecision == kDecisionYes) {
        // Written without yields, unlike the editing buttons' writes.
        const int slot = f.Combo1.ListIndex();
        const std::string working = WorkingPlaylistFile(slot);
        f.disk.WriteBytes(working, PlaylistBytes(f.List1.items(), working));
        const std::string device = f.File2.Path() + "\\" + PlaylistName(slot);
        if (!f.disk.Probe(device).empty())
            f.disk.FileCopy(working, device);
    }
    f.Dir2.setVisible(false);
    f.Drive2.setVisible(false);
}

// "Delete All": removes every listed sound file and empties all twenty playlist files.
// In quiet mode (the factory reset) it asks nothing and follows the caller's decision.
void Command6_Click(Form1& f)
{
    HideComputerBrowser(f);
    if (f.DeleteAllQuiet != kDeleteAllWithoutQuestion) {
        RecordAnswer(f, MsgBox(f,
                               "Do you want to delete all sound source : " +
                                   std::to_string(f.File2.ListCount()) + " FILES ? ",
                               BoxButtons::YesNoCancel, BoxIcon::Information, "Warning !"));
    }
    const std::vector<std::string> listed = f.File2.names();
    std::unordered_set<std::string> deleted;
    try {
        for (const std::string& name : listed) {
            if (f.ConfirmDecision == kDecisionYes && !name.empty()) {
                f.disk.Recycle(f.File2.Path() + "\\" + name);
                deleted.insert(name);
            }
        }
        RemoveRowsNamedAny(f, deleted);
    } catch (const PlatformError&) {
        // Some files are gone: their rows go, the list shows what is left, and the next Add
        // measures the folder afresh.
        RemoveRowsNamedAny(f, deleted);
        f.File2.Refresh();
        f.UsedBytes = 0;
        throw;
    }
    if (f.ConfirmDecision == kDecisionYes) {
        for (int slot = 0; slot < kPlaylistSlots; ++slot)
            f.disk.WriteBytes(WorkingPlaylistFile(slot), "");
        for (int slot = 0; slot < kPlaylistSlots; ++slot)
            f.disk.WriteBytesKeepingOld(f.File2.Path() + "\\" + PlaylistName(slot), "");
    }
    f.Dir2.setVisible(false);
    f.Drive2.setVisible(false);
    f.File2.Refresh();
    f.UsedBytes = 0;
    f.Label4.setCaption(std::string(kFullCapacityText));
}

} // namespace korvane
