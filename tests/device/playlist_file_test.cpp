// The playlist file: the yield after every entry and a failed write. Its bytes both ways are the
// scenarios' (delete-one, bad-names) and the playlist fuzz check's.
#include "device/playlist_file.h"

#include "support/drives_test.h"
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

class PlaylistFile : public ::testing::Test {
protected:
    PlaylistFile() : f(w.start("c:\\")) {}

    std::string written(const std::vector<std::string>& rows)
    {
        f.List1.Clear();
        for (const std::string& row : rows)
            f.List1.AddItem(row);
        WritePlaylistFile(f, "c:\\3r.txt");
        return w.drives.readFile("c:\\3r.txt");
    }

    WindowHarness w;
    Form1& f;
};

TEST_F(PlaylistFile, TheWriterYieldsOnceAfterEveryEntry)
{
    const int before = w.pump.yields;
    std::vector<int> waitDoneAtYield;
    w.pump.duringYield = [&] { waitDoneAtYield.push_back(f.WaitDone); };
    written({"a.mp3", "b.mp3", "c.mp3"});
    EXPECT_EQ(w.pump.yields - before, 3);
    EXPECT_EQ(waitDoneAtYield, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(f.WaitDone, -1);
}

TEST_F(PlaylistFile, AFailedWriteLeavesTheOldFileAndNamesThePath)
{
    written({"old.mp3"});
    w.disk.setFaultHook([](std::string_view op, const std::string& path) {
        if (op == "write")
            throw PlatformError("write", path, "No space left on device");
    });
    const std::string error = FailureOf([&] { written({"new.mp3"}); }).what();
    EXPECT_NE(error.find("c:\\3r.txt"), std::string::npos);
    EXPECT_NE(error.find("No space left on device"), std::string::npos);
    w.disk.setFaultHook(nullptr);
    EXPECT_EQ(w.drives.readFile("c:\\3r.txt"), "old.mp3");
    // A name the code page cannot hold is refused before anything is written.
    EXPECT_THROW(written({"\xE2\x98\x83.mp3"}), PlatformError);
    EXPECT_EQ(w.drives.readFile("c:\\3r.txt"), "old.mp3");
}

} // namespace
} // namespace korvane::test
