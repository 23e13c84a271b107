// Where the device content lives: the factory folder rule, what filling a new folder refuses,
// and the first run on an empty root, which fills it from the kit installed with the program (no
// scenario can place that kit). What a filled folder holds (yes-creates-sound-folder) and the
// state after start-up are scenarios.
#include "device/layout.h"

#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

// Beside a sound start folder and inside any other are the reset-from-* scenarios; here, a
// start folder whose name differs from the sound folder's only in case is no sound folder.
TEST(Layout, FactoryFilesComeFromInsideAStartFolderNamedInAnotherCase)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\Kit\\tarvo_calls");
    Form1& f = w.start("d:\\Kit\\tarvo_calls");
    EXPECT_EQ(FactoryFolderPrefix(f), "d:\\Kit\\tarvo_calls\\");
}

// What a filled folder holds is the scenario yes-creates-sound-folder; here, what it refuses.
TEST(Layout, FillingNeedsANewFolderInAnExistingParent)
{
    WindowHarness w;
    WriteKit(w.drives, "d:\\kit");
    Form1& f = w.start("d:\\kit");
    w.drives.makeFolder("d:\\kit\\Tarvo_Calls");
    EXPECT_THROW(FillNewSoundFolder(f, "d:\\kit\\Tarvo_Calls", "d:\\kit\\"), PlatformError);
    EXPECT_THROW(FillNewSoundFolder(f, "d:\\no\\Tarvo_Calls", "d:\\kit\\"), PlatformError);
    EXPECT_FALSE(w.drives.exists("d:\\no"));
}

} // namespace
} // namespace korvane::test
