#include "playlist/save.h"

#include "device/layout.h"
#include "device/playlist_file.h"
#include "form/confirmation.h"
#include "form/form1.h"

namespace korvane {

void Command14_Click(Form1& f)
{
    if (f.List1.ListCount() == 0) {
        MsgBox(f, "Please set the path of folder, and then click Yes button to select MP3 \r\n"
                  "files in left ListBox by clicking to select Play List, << , >> button !");
        f.SaveArmed = kSaveIdle;
    } else {
        f.SaveArmed = kSaveArmed;
        f.Command17.setEnabled(false);
        f.Command9.setEnabled(false);
        f.Command11.setEnabled(false);
    }
    if (f.SaveArmed != kSaveArmed)
        return;
    f.WaitDone = kWriteYielding;
    YieldToWindowEvents(f);

    const int slot = f.Combo1.ListIndex();
    if (!IsPlaylistSlot(slot))
        return;
    f.PlaylistFilePath = f.File2.Path() + "\\" + PlaylistName(slot);
    f.DirResult = f.disk.Probe(f.PlaylistFilePath);

    // Asked only when something would be replaced; unasked, the last decision of any
    // operation stands.
    if (f.UseWorkingCopy == kWorkingCopy || !f.DirResult.empty()) {
        RecordAnswer(f, MsgBox(f, "Do you want to replace existed content with new PlayList ? ",
                               BoxButtons::YesNoCancel, BoxIcon::Information, "confirm"));
    }
    if (f.ConfirmDecision != kDecisionYes) {
        f.UseWorkingCopy = kWorkingCopy;
    } else {
        // The writer replaces the file in one step, so a failed write keeps it.
        WritePlaylistFile(f, f.PlaylistFilePath);
        f.UseWorkingCopy = kDeviceCopy;
    }
    if (f.WaitDone == kWriteDone) {
        for (CommandButton* b :
             {&f.Command8, &f.Command17, &f.Command9, &f.Command10, &f.Command11})
            b->setEnabled(true);
    }
}

} // namespace korvane
