#include "transfer/upload.h"

#include "device/capacity.h"
#include "device/layout.h"
#include "device/playlist_loading.h"
#include "form/confirmation.h"
#include "form/form1.h"
#include "sys/errors.h"
#include "sys/text.h"
#include "transfer/upload_copier.h"
#include "transfer/upload_room.h"

#include <cmath>

namespace korvane {

namespace {

// The bar's value after sound file index of count: a twentieth per step, halves to even.
std::int16_t ProgressAfter(int index, int count)
{
    return static_cast<std::int16_t>(
        std::nearbyint((index + 1) * static_cast<double>(kUploadProgressSteps) / count));
}

// The copy loop: every sound file, each followed by the playlists, the companions and the
// extra recordings; the bar advances with the playlists.
void CopyEverything(Form1& f, UploadCopier& copier)
{
    const std::string source = f.File2.Path();
    const std::string& destination = f.UploadDestination;
    const bool sameFolder = LowerCase(f.File1.Path()) == LowerCase(source);
    const std::vector<std::string> names = f.File2.names();
    const int count = static_cast<int>(names.size());
    for (int index = 0; index < count; ++index) {
        f.FileIndex = static_cast<std::int16_t>(index);
        const std::string& name = names[static_cast<std::size_t>(index)];
        f.UploadSourceFile = source + "\\" + name;
        if (name.empty())
            continue;
        const bool last = index == count - 1;
        if (!sameFolder) {
            const std::vector<UploadCopy> copies = CopiesForCall(source, destination, name);
            for (std::size_t c = 0; c < copies.size(); ++c) {
                if (c == 1) { // the first playlist
                    f.UploadProgress = ProgressAfter(index, count);
                    f.ProgressBar1.setValue(f.UploadProgress);
                }
                copier.copy(copies[c].source, copies[c].destination);
            }
            if (last && !f.Label3.Caption().empty()) {
                // The message means the device may be unplugged: the data is on it, and it
                // reads back as it was written, first.
                copier.publish();
                const std::vector<std::string> differing = copier.differing();
                if (differing.empty())
                    MsgBox(f, "        Upload Complete !");
                else
                    MsgBox(f, DifferingFilesMessage(differing, copier.filesCopied()));
                f.ProgressBar1.setVisible(false);
            }
        } else if (last) {
            MsgBox(f, "Please select different destination !");
        }
    }
}

// Whether the destination's volume can take everything the upload writes; if not the user is
// told, before anything is copied.
bool RoomForUpload(Form1& f)
{
    const std::string source = f.File2.Path();
    if (LowerCase(f.File1.Path()) == LowerCase(source))
        return true;
    std::vector<UploadCopy> copies;
    for (const std::string& name : f.File2.names()) {
        if (!name.empty()) {
            for (UploadCopy& copy : CopiesForCall(source, f.UploadDestination, name))
                copies.push_back(std::move(copy));
        }
    }
    if (copies.empty())
        return true;
    // What an upload cut off earlier left behind is nobody's: its room counts as free.
    f.disk.RemoveLeftovers(f.UploadDestination);
    const VolumeSpace space = f.disk.Space(f.UploadDestination);
    const std::int64_t needed = BytesAdded(f.disk, copies, space.clusterBytes);
    if (needed <= space.freeBytes)
        return true;
    MsgBox(f, NoRoomMessage(needed, space.freeBytes));
    return false;
}

} // namespace

std::string UploadStoppedMessage(const PlatformError& error, std::size_t filesCopied,
                                 const std::string& destination)
{
    const std::string files =
        filesCopied == 1 ? "1 file was" : std::to_string(filesCopied) + " files were";
    std::string message = "Upload stopped. " + std::string(error.what()) + "\r\n" + files +
                          " copied to \"" + destination + "\" before it stopped.";
    // Players use FAT, which refuses these characters in a name; the computer does not.
    const std::string& path = error.path();
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    if (name.find_first_of(":*?\"<>|") != std::string::npos)
        message += "\r\nThe device does not accept the characters : * ? \" < > | in a file "
                   "name: rename \"" +
                   name + "\" on the computer, then upload again.";
    return message;
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
    if (!RoomForUpload(f)) {
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

    UploadCopier copier(f.disk);
    try {
        CopyEverything(f, copier);
    } catch (const PlatformError& error) {
        // A full, read-only or pulled-out device: stop at the failed copy and say how far the
        // upload got; what was copied stays. The first failure is the one the user is told of:
        // a device pulled out fails the publishing too, which only lowers the count.
        try {
            copier.publish();
        } catch (const PlatformError&) {
        }
        f.ProgressBar1.setVisible(false);
        f.File1.setVisible(false);
        f.Command20.setVisible(false);
        f.Command21.setVisible(false);
        MsgBox(f, UploadStoppedMessage(error, copier.filesCopied(), f.UploadDestination));
        return;
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
