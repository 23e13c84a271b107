#include "transfer/upload.h"

#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_loading.h"
#include "form/background_work.h"
#include "form/confirmation.h"
#include "form/form1.h"
#include "sys/errors.h"
#include "sys/text.h"
#include "transfer/upload_room.h"

#include "transfer/upload_run.h"
#include <optional>

namespace korvane {

namespace {

// Whether the destination's volume can take everything the upload writes; if not the user is
// told, before anything is copied, and offered to remove the calls the sound folder no longer
// has when that makes room. room: what the volume can take at once, when the staged copies
// would not all fit beside the files they replace (they are then named in batches).
bool RoomForUpload(Form1& f, std::optional<VolumeSpace>& room)
{
    const std::string source = f.File2.Path();
    if (LowerCase(f.File1.Path()) == LowerCase(source))
        return true;
    const std::vector<std::string> names = f.File2.names();
    std::vector<UploadCopy> copies;
    VolumeSpace space;
    RoomNeeded needs;
    // Thousands of files to look at: the window keeps answering meanwhile.
    BackgroundWork::Run(f.pump, [&](BackgroundWork&) {
        for (const std::string& name : names) {
            if (!name.empty()) {
                for (UploadCopy& copy : CopiesForCall(source, f.UploadDestination, name))
                    copies.push_back(std::move(copy));
            }
        }
        if (copies.empty())
            return;
        // What an upload cut off earlier left behind is nobody's: its room counts as free.
        f.disk.RemoveLeftovers(f.UploadDestination);
        space = f.disk.Space(f.UploadDestination);
        needs = Needs(f.disk, copies, space.clusterBytes);
    });
    if (copies.empty())
        return true;
    std::int64_t free = space.freeBytes;
    const std::int64_t needed = needs.added;
    if (needed > free) {
        const std::vector<OldCall> old =
            OldCalls(f.disk, f.UploadDestination, copies, space.clusterBytes);
        std::int64_t freed = 0;
        for (const OldCall& call : old)
            freed += call.bytes;
        if (old.empty() || needed > free + freed) {
            MsgBox(f, NoRoomMessage(needed, free));
            return false;
        }
        if (MsgBox(f, OldCallsMessage(needed, free, old), BoxButtons::YesNoCancel) != kAnswerYes)
            return false;
        for (const OldCall& call : old)
            f.disk.Kill(call.path);
        free += freed;
    }
    if (needs.peak > free)
        room = VolumeSpace{free, space.clusterBytes};
    return true;
}

} // namespace

std::string UploadEndMessage(const UploadOutcome& outcome)
{
    if (outcome.end == UploadOutcome::End::Stopped)
        return "Upload stopped. Nothing on the player was changed.";
    if (outcome.end == UploadOutcome::End::Differing && outcome.published.empty())
        return DifferingFilesMessage(outcome.differing, outcome.checked);
    if (outcome.end == UploadOutcome::End::Differing) {
        // A batch named earlier, to make room, stays.
        std::string message = DifferingFilesMessage(outcome.differing, outcome.checked);
        return message.substr(0, message.rfind("\r\n")) +
               "\r\nThese files, read back correctly before, hold the new copy:" +
               NameList(outcome.published);
    }
    const PlatformError& error = *outcome.error;
    std::string message = "Upload stopped. " + std::string(error.what());
    if (outcome.published.empty() && outcome.removed.empty()) {
        message += "\r\nNothing on the player was changed.";
    } else {
        message += "\r\nPart of the upload is on the player. These files hold the new copy:" +
                   NameList(outcome.published) +
                   "\r\nThese are as they were before the upload:" + NameList(outcome.unpublished);
        if (!outcome.removed.empty())
            message += "\r\nThese were removed to make room for their new copy:" +
                       NameList(outcome.removed);
        message += "\r\nUpload again to bring them all up to date.";
    }
    // Players use FAT, which refuses these characters in a name; the computer does not.
    const std::string& path = error.path();
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    if (name.find_first_of(":*?\"<>|") != std::string::npos)
        message += "\r\nThe device does not accept the characters : * ? \" < > | in a file "
                   "name: rename \"" +
                   name + "\" on the computer, then upload again.";
    return message;
}

void Stop_Click(Form1& f)
{
    f.UploadStopRequested = true;
}

void Command18_Click(Form1& f)
{
    f.FolderConfirmed = kFolderConfirmed;
    f.Command20.setVisible(false);
    f.Label3.setCaption("");
    f.ProgressBar1.setVisible(false);
    f.setCaption(kApplicationTitle);
    f.LineMatched = kLoadStarted;
    for (CommandButton* b : {&f.Command8, &f.Command9, &f.Command17, &f.Command11, &f.Command10,
                             &f.Command5, &f.Command6})
        b->setEnabled(true);
    f.Command4.setEnabled(false);
    f.Dir2.setVisible(false);
    f.Drive2.setVisible(false);
    f.File2.setPattern(std::string(kSoundFilesPattern));
    if (f.ExistingFolderMark == kExistingFolderMark)
        f.File2.setPath(f.Dir2.Path());

    if (!IsSoundFolderPath(f.Dir2.Path()) && !IsSoundFolderPath(f.File2.Path()))
        return;

    // The selected playlist is shown afresh and the destination asked for; with no slot chosen
    // there is nothing to reload. (FolderConfirmed was set above, and loading leaves it.)
    const int slot = f.Combo1.ListIndex();
    if (IsPlaylistSlot(slot)) {
        LoadPlaylistFile(f, slot, f.File2.Path() + "\\" + PlaylistName(slot), true);
        RefreshFreeSpace(f);
        RecordAnswer(f, MsgBox(f, "Please select destination folder, Continue",
                               BoxButtons::YesNoCancel, BoxIcon::Information, "Upload"));
        if (f.MsgAnswer == kAnswerYes) {
            const std::string picked = f.picker.pick("Please click to select Tarvo used", false);
            f.Label3.setVisible(false);
            f.Label3.setCaption(picked);
            if (!picked.empty())
                f.File1.setPath(picked);
            f.Command20.setVisible(false);
            f.Command21.setVisible(false);
            f.Label4.setCaption("");
            f.Command5.setEnabled(false);
            f.Command6.setEnabled(false);
        }
    }
    f.Command7.setVisible(false);
    f.Command12.setVisible(false);
    f.Command1.setCaption("FILE");

    if (f.Label3.Caption().empty() || f.ConfirmDecision != kDecisionYes)
        return;
    f.UploadDestination = f.Label3.Caption();
    std::optional<VolumeSpace> room;
    if (!RoomForUpload(f, room)) {
        f.ProgressBar1.setVisible(false);
        f.File1.setVisible(false);
        f.Command20.setVisible(false);
        f.Command21.setVisible(false);
        return;
    }
    f.ProgressBar1.setVisible(true);

    f.WaitDone = kWriteYielding;
    f.Text2.setText("    Uploading data to insert !");
    YieldToWindowEvents(f);

    if (LowerCase(f.File1.Path()) == LowerCase(f.File2.Path())) {
        if (f.File2.ListCount() > 0) {
            f.FileIndex = static_cast<std::int16_t>(f.File2.ListCount() - 1);
            f.UploadSourceFile = f.File2.Path() + "\\" + f.File2.List(f.File2.ListCount() - 1);
            MsgBox(f, "Please select different destination !");
        }
    } else if (f.File2.ListCount() > 0) {
        const UploadOutcome outcome = CopyToPlayer(f, room);
        if (outcome.end == UploadOutcome::End::Complete) {
            if (!f.Label3.Caption().empty())
                MsgBox(f, "        Upload Complete !");
            f.ProgressBar1.setVisible(false);
        } else {
            // A full, read-only, faulty or pulled-out device, or the user's Stop: the upload
            // ends here and says what the player holds now.
            f.ProgressBar1.setVisible(false);
            f.File1.setVisible(false);
            f.Command20.setVisible(false);
            f.Command21.setVisible(false);
            MsgBox(f, UploadEndMessage(outcome));
            return;
        }
    }
    f.File1.Refresh();
    if (!IsRootCToH(LowerCase(f.UploadDestination))) {
        if (f.File1.ListCount() == 0)
            MsgBox(f, "No uploading source file found !");
        f.File1.setVisible(false);
        f.ProgressBar1.setVisible(false);
    }
    f.Command20.setVisible(false);
    f.Command21.setVisible(false);
    f.File1.Refresh();
}

} // namespace korvane
