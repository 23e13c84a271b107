// Replacing a file the user keeps: cut off at any byte, the real name holds the old file or the
// new one, whole, and no temporary file is left; reading back goes to the device.
#include "disk/disk.h"

#include "support/drives_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace korvane {
namespace {

using DurableWrite = test::DrivesTest;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// Runs write with the kernel refusing any file beyond limit bytes, as a device that stops
// taking data in the middle of a write; the write must fail.
void cutOff(rlim_t limit, const std::function<void()>& write)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit cut{limit, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &cut);
    test::FailureOf(write);
    ::setrlimit(RLIMIT_FSIZE, &old);
}

TEST_F(DurableWrite, EveryKindOfWriteCutAtAnyByteLeavesTheOldFileWhole)
{
    std::string next(200000, 'n');
    next[4096] = 'm'; // not one repeated byte, so a torn copy cannot pass for a whole one
    drives.writeFile("d:\\kit\\next.mp3", next);
    const std::string old = "the older recording";

    struct Kind {
        const char* name;
        std::function<void()> write;
    };
    const std::vector<Kind> kinds = {
        {"write", [&] { disk.WriteBytes("d:\\dev\\file.txt", next); }},
        {"copy", [&] { disk.FileCopy("d:\\kit\\next.mp3", "d:\\dev\\file.txt"); }},
        {"staged copy",
         [&] {
             std::vector<StagedCopy> copies{
                 disk.StageCopy("d:\\kit\\next.mp3", "d:\\dev\\file.txt")};
             disk.FlushStaged(copies);
             disk.Publish(copies);
         }},
    };
    const std::string dev = drives.host('d') + "/dev";
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        for (rlim_t limit : {0ul, 1ul, 4095ul, 4096ul, 65537ul, 199999ul}) {
            SCOPED_TRACE(limit);
            drives.writeFile("d:\\dev\\file.txt", old);
            cutOff(limit, kind.write);
            EXPECT_EQ(drives.readFile("d:\\dev\\file.txt"), old);
            // file.txt alone: no temporary file is left, whatever its name.
            EXPECT_EQ(std::distance(fs::directory_iterator(dev), {}), 1);
        }
        // Cut off on its way to a new name, nothing of it is left.
        fs::remove(dev + "/file.txt");
        cutOff(4096, kind.write);
        EXPECT_TRUE(fs::is_empty(dev));
        kind.write();
        EXPECT_EQ(drives.readFile("d:\\dev\\file.txt"), next);
        EXPECT_EQ(std::distance(fs::directory_iterator(dev), {}), 1);
    }
}

TEST_F(DurableWrite, StagedCopiesStayOutOfSightUntilPublishedAndGoWhenDiscarded)
{
    drives.writeFile("c:\\a.mp3", "new a");
    drives.writeFile("c:\\b.mp3", "new b");
    drives.writeFile("d:\\dev\\A.MP3", "old a");
    std::vector<StagedCopy> copies{disk.StageCopy("c:\\a.mp3", "d:\\dev\\a.mp3"),
                                   disk.StageCopy("c:\\b.mp3", "d:\\dev\\b.mp3")};
    EXPECT_TRUE(copies[0].replaces);
    EXPECT_FALSE(copies[1].replaces);
    // Before publishing, the player shows what it held: a cut now loses nothing.
    EXPECT_EQ(disk.ListFiles("d:\\dev", "*"), (Names{"A.MP3"}));
    EXPECT_EQ(drives.readFile("d:\\dev\\A.MP3"), "old a");
    disk.FlushStaged(copies);
    EXPECT_TRUE(disk.StagedIntact(copies[0]));
    std::ofstream(copies[1].hostTemp, std::ios::binary) << "garbled";
    EXPECT_FALSE(disk.StagedIntact(copies[1]));
    std::ofstream(copies[1].hostTemp, std::ios::binary) << "new b";

    disk.Publish(copies);
    EXPECT_TRUE(copies[0].state == StagedState::Published &&
                copies[1].state == StagedState::Published);
    EXPECT_EQ(drives.readFile("d:\\dev\\A.MP3"), "new a"); // the stored name is kept
    EXPECT_EQ(drives.readFile("d:\\dev\\b.mp3"), "new b");
    EXPECT_TRUE(disk.SameOnMedium("c:\\b.mp3", "d:\\dev\\b.mp3"));
    EXPECT_FALSE(disk.SameOnMedium("c:\\a.mp3", "d:\\dev\\b.mp3"));
    EXPECT_FALSE(disk.SameOnMedium("c:\\a.mp3", "d:\\dev\\missing.mp3"));
    // A second publish has nothing left to do.
    disk.Publish(copies);

    // Discarded, a staged copy leaves nothing, and publishing it later does nothing either;
    // a published copy that replaced nothing goes, one that replaced a file stays.
    std::vector<StagedCopy> dropped{disk.StageCopy("c:\\a.mp3", "d:\\dev\\c.mp3")};
    disk.Discard(dropped[0]);
    EXPECT_EQ(dropped[0].state, StagedState::Discarded);
    disk.Publish(dropped);
    EXPECT_EQ(dropped[0].state, StagedState::Discarded);
    disk.Discard(copies[1]);
    disk.Discard(copies[0]);
    EXPECT_EQ(drives.entries("d/dev"), (Names{"A.MP3"}));
    EXPECT_EQ(copies[0].state, StagedState::Published);
}

TEST_F(DurableWrite, LeftoversOfACutOffRunOrAnotherComputerGoButThoseOfARunningProgramStay)
{
    drives.writeFile("c:\\a.mp3", "a");
    drives.writeFile("d:\\dev\\Taps.mp3", "taps");
    // A copy of this run, still being written: its name holds this boot and process.
    StagedCopy staged = disk.StageCopy("c:\\a.mp3", "d:\\dev\\a.mp3");
    const std::string mine = fs::path(staged.hostTemp).filename().string();
    const std::string pid = "-" + std::to_string(::getpid()) + "-";
    const std::string boot = mine.substr(0, mine.find(pid)); // ".korvane-BOOT"
    ASSERT_NE(boot, mine);
    pid_t gone = 4000000; // a process that does not exist
    while (::kill(gone, 0) == 0 || errno == EPERM)
        ++gone;
    const std::string parent = boot + "-" + std::to_string(::getppid()) + "-1";
    drives.writeFile("d:\\dev\\" + boot + "-" + std::to_string(gone) + "-3", "cut off");
    drives.writeFile("d:\\dev\\" + parent, "another program's");
    // Another computer's, though a process of that id runs here; and one of the older form.
    drives.writeFile("d:\\dev\\.korvane-0badf00d-1-1", "elsewhere");
    drives.writeFile("d:\\dev\\.korvane-" + std::to_string(::getppid()) + "-2", "old form");
    drives.writeFile("d:\\dev\\.hidden", "the user's");
    disk.RemoveLeftovers("d:\\dev");
    Names expected{".hidden", mine, parent, "Taps.mp3"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drives.entries("d/dev"), expected);
    disk.RemoveLeftovers("d:\\missing"); // nothing to do, nothing to fail
    disk.Discard(staged);
}

// The bytes this process really fetched from the storage layer; nullopt where the system does
// not count them.
std::optional<long long> bytesFetched()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "read_bytes:")
            return value;
    }
    return std::nullopt;
}

TEST_F(DurableWrite, ReadingBackFetchesTheCopyFromTheDeviceNotFromMemory)
{
    const std::size_t size = 4 << 20;
    drives.writeFile("c:\\call.mp3", std::string(size, 'c'));
    std::vector<StagedCopy> copies{disk.StageCopy("c:\\call.mp3", "d:\\call.mp3")};
    disk.FlushStaged(copies);
    disk.Publish(copies);

    // A plain read right after the copy is served from the cache: the counter must tell the
    // two apart, or this file system cannot show where the bytes come from.
    const std::optional<long long> start = bytesFetched();
    if (!start)
        GTEST_SKIP() << "this system does not count the bytes a process reads from its disks";
    EXPECT_EQ(drives.readFile("d:\\call.mp3").size(), size);
    const long long cached = *bytesFetched() - *start;
    if (cached >= static_cast<long long>(size))
        GTEST_SKIP() << "the temporary folder keeps no page cache to bypass (" << cached
                     << " bytes fetched by a plain read)";

    const long long before = *bytesFetched();
    EXPECT_TRUE(disk.SameOnMedium("c:\\call.mp3", "d:\\call.mp3"));
    EXPECT_GE(*bytesFetched() - before, static_cast<long long>(size));
}

} // namespace
} // namespace korvane
