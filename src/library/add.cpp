#include "library/add.h"

#include "device/capacity.h"
#include "device/folder_choice.h"
#include "device/layout.h"
#include "form/form1.h"
#include "form/navigation.h"
#include "sys/errors.h"
#include "sys/text.h"

namespace korvane {

namespace {
constexpr const char* kNotAnMp3 = "Please click to select mp3 file !";
// A failed Add leaves the window as a finished one: browser hidden, buttons usable.
void EndFailedAdd(Form1& f)
{
    HideComputerBrowser(f);
    f.Command4.setEnabled(true);
    f.Command5.setEnabled(true);
    f.Command6.setEnabled(true);
    f.Command12.setVisible(false);
}

std::int64_t MeasureOrRestore(Form1& f, const std::string& chosen)
{
    try {
        return f.disk.FileLen(chosen);
    } catch (const PlatformError&) {
        EndFailedAdd(f);
        throw;
    }
}

} // namespace

void Command4_Click(Form1& f)
{
    std::string chosenFileName;
    std::string destination;
    f.Command5.setEnabled(false);
    f.Command6.setEnabled(false);
    f.Command12.setVisible(true);
    f.Dir1.Refresh();
    if (f.FolderConfirmed == kFolderConfirmed || f.FolderConfirmed == kFolderChoiceCancelled) {
        f.Dir1.setVisible(true);
        f.Drive1.setVisible(true);
        f.File1.setVisible(true);
    }

    const std::string chosen =
        f.picker.pick("Please click to select the place where music is stored", true);
    f.Dir1.Refresh();

    chosenFileName = f.disk.Probe(chosen);
    if (!chosenFileName.empty())
        destination = f.File2.Path() + "\\" + chosenFileName;
    const bool exists = !f.disk.Probe(destination).empty();

    // The tests run in a fixed order: type, then place, then capacity or duplicate.
    if (!chosenFileName.ends_with(".mp3")) {
        MsgBox(f, kNotAnMp3);
        Command12_Click(f);
        return;
    }
    f.Label5.setCaption(LowerCase(chosen));
    if (IsRootCToH(f.Label5.Caption())) {
        MsgBox(f, kNotAnMp3);
        Command12_Click(f);
    } else if (f.Label5.Caption() == LowerCase(f.File2.Path())) {
        MsgBox(f, "Please select different destination !");
    } else {
        if (f.UsedBytes == 0)
            SumListedFileBytes(f);
        if (!exists) {
            const std::int64_t length = MeasureOrRestore(f, chosen);
            f.UsedBytes += length;
            if (f.UsedBytes <= f.CapacityBytes) {
                try {
                    f.disk.FileCopy(chosen, destination);
                } catch (const PlatformError&) {
                    // Nothing was added: the total and the buttons are as before Add.
                    f.UsedBytes -= length;
                    EndFailedAdd(f);
                    throw;
                }
                ShowFreeSpace(f, kFreeSpaceLabel);
                HideComputerBrowser(f);
                f.File1.Refresh();
                f.File2.Refresh();
                f.Command5.setEnabled(true);
                f.Command6.setEnabled(true);
                if (f.Command12.Visible())
                    f.Command12.setVisible(false);
            } else {
                f.UsedBytes -= length;
                MsgBox(f,
                       "Beyond the boundary allowed ! You can't insert: " + chosenFileName + " !");
                HideComputerBrowser(f);
                f.Command5.setEnabled(true);
                f.Command6.setEnabled(true);
                f.File1.Refresh();
            }
        } else {
            MsgBox(f, "Same file existed ! You can't insert: " + chosenFileName + " !");
            ShowFreeSpace(f, kFreeSpaceDuplicateLabel);
            HideComputerBrowser(f);
            f.Command5.setEnabled(true);
            f.Command6.setEnabled(true);
            f.Command12.setVisible(false);
            f.File1.Refresh();
        }
    }
    f.Command4.setEnabled(true);
    f.File2.Refresh();
}

} // namespace korvane
