#include "transfer/reset.h"

#include "device/layout.h"
#include "form/confirmation.h"
#include "form/form1.h"
#include "library/delete.h"
#include "sys/errors.h"

#include <exception>

namespace korvane {

// Empties the sound folder and the playlists with a quiet Delete All, copies the factory
// call set back, and leaves the window needing a confirmed folder again.
void Command2_Click(Form1& f)
{
    f.DeleteAllQuiet = kDeleteAllWithoutQuestion;
    f.ConfirmDecision = kDecisionYes;
    Command6_Click(f);
    f.Command18.setEnabled(false);
    f.Label4.setCaption("");
    f.DeleteAllQuiet = kDeleteAllWithoutQuestion;
    Command6_Click(f);

    // A failed copy is reported after the window is put in its state after a reset: the
    // folder was emptied either way and must be chosen again.
    std::exception_ptr failure;
    try {
        CopyFactoryCallSet(f, f.SoundFolderPath, FactoryFolderPrefix(f));
    } catch (const PlatformError&) {
        failure = std::current_exception();
    }

    f.List1.Clear();
    f.File2.setPattern(std::string(kNoFilesPattern));
    f.Command2.setEnabled(false);
    f.Command6.setEnabled(false);
    f.Command4.setEnabled(false);
    f.Command5.setEnabled(false);
    f.Label4.setCaption("");
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace korvane
