#include "playlist/editing.h"

#include "device/layout.h"
#include "device/playlist_file.h"
#include "form/form1.h"
#include "sys/text.h"

namespace korvane {

namespace {

bool SlotChosen(Form1& f)
{
    const int slot = f.Combo1.ListIndex();
    if (IsPlaylistSlot(slot))
        return true;
    MsgBox(f, " Please click to select the playlist selection menu !");
    return false;
}

// After every "<<" and ">>" the working copy of the slot holds exactly the rows of List1.
void WriteWorkingCopy(Form1& f)
{
    f.UseWorkingCopy = kWorkingCopy;
    f.PlaylistFilePath = WorkingPlaylistFile(f.Combo1.ListIndex());
    // The writer replaces the file in one step, which also takes the place of deleting it
    // first: a failed write leaves the old copy.
    WritePlaylistFile(f, f.PlaylistFilePath);
}

} // namespace

std::string UnplayableNameMessage(const std::string& name)
{
    return "The name \"" + name +
           "\" has characters a playlist cannot hold. Rename the file with Western letters, "
           "digits and punctuation, then add it again.";
}

// ">>": removes the selected row.
void Command10_Click(Form1& f)
{
    if (!SlotChosen(f))
        return;
    if (f.List1.ListIndex() < 0)
        return;
    f.List1.RemoveItem(f.List1.ListIndex());
    f.List1.Refresh();
    WriteWorkingCopy(f);
}

// "<<": appends the current sound file; a name already listed keeps its rows as they were.
void Command8_Click(Form1& f)
{
    if (!SlotChosen(f))
        return;
    const std::string name = f.File2.List(f.File2.ListIndex());
    if (name.empty())
        return;
    // A playlist holds names in the player's code page; a name outside it would be written
    // wrongly and never match again, so it is refused here, before anything changes.
    if (!ToAnsi(name)) {
        MsgBox(f, UnplayableNameMessage(name));
        return;
    }
    f.List1.AddItem(name);
    int matches = 0;
    const int count = f.List1.ListCount();
    for (int row = 0; row < count; ++row) {
        if (f.List1.List(row) == name) {
            ++matches;
            f.List1.setListIndex(row);
        }
    }
    if (matches > 1)
        f.List1.RemoveItem(f.List1.ListIndex());
    f.List1.Refresh();
    f.File2.Refresh();
    WriteWorkingCopy(f);
}

// "Up" and "Down" move the selected row and keep it selected; nothing is written.
void Command15_Click(Form1& f)
{
    const int i = f.List1.ListIndex();
    if (!(i > 0 && !f.List1.List(i).empty()))
        return;
    const std::string kept = f.List1.List(i);
    f.List1.setList(i, f.List1.List(i - 1));
    f.List1.setList(i - 1, kept);
    f.List1.setListIndex(i - 1);
    f.List1.Refresh();
}

void Command16_Click(Form1& f)
{
    const int i = f.List1.ListIndex();
    if (!(i < f.List1.ListCount() - 1 && !f.List1.List(i).empty()))
        return;
    const std::string kept = f.List1.List(i + 1);
    f.List1.setList(i + 1, f.List1.List(i));
    f.List1.setList(i, kept);
    f.List1.setListIndex(i + 1);
    f.List1.Refresh();
}

} // namespace korvane
