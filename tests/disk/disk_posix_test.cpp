// The disk over POSIX folders, which may hold names that differ only in case, and whose
// host root is "/"; call information from files only POSIX systems have.
#include "calls/call_info.h"
#include "disk/disk.h"

#include "support/drives_test.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace korvane {
namespace {

using DiskTest = test::DrivesTest;

TEST_F(DiskTest, AnExactMatchWinsAmongNamesThatDifferOnlyInCase)
{
    drives.writeFile("d:\\Calls\\taps.mp3", "small");
    drives.writeFile("d:\\Calls\\TAPS.mp3", "capital");

    EXPECT_EQ(disk.ReadBytes("d:\\calls\\taps.mp3"), "small");
    EXPECT_EQ(disk.ReadBytes("d:\\CALLS\\TAPS.mp3"), "capital");
    EXPECT_EQ(disk.Probe("d:\\calls\\taps.mp3"), "taps.mp3");
    // Neither is exact: the first of the two in ordinal order.
    EXPECT_EQ(disk.Probe("d:\\calls\\Taps.mp3"), "TAPS.mp3");

    // Measuring many at once resolves each name as FileLen does.
    const std::vector<std::string> names = {"taps.mp3", "TAPS.mp3", "Taps.mp3", "tAPS.MP3"};
    std::vector<std::int64_t> lengths;
    disk.MeasureFiles("d:\\CALLS", names,
                      [&](std::size_t, std::int64_t bytes) { lengths.push_back(bytes); });
    EXPECT_EQ(lengths, (std::vector<std::int64_t>{5, 7, 7, 7}));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(disk.FileLen("d:\\calls\\" + names[i]), lengths[i]) << names[i];
}

TEST_F(DiskTest, TheHostRootIsADriveOfItsOwn)
{
    disk = Disk({{'c', drives.host('c'), ""}, {'z', "/", ""}});
    EXPECT_EQ(disk.WindowsPath("/etc/hosts"), "z:\\etc\\hosts");
    EXPECT_EQ(disk.WindowsPath("/"), "z:\\");
    EXPECT_EQ(disk.WindowsPath(drives.host('c') + "/x"), "c:\\x");
    EXPECT_EQ(Disk({{'c', drives.host('c'), ""}}).WindowsPath("/etc"), std::nullopt);
}

TEST(CallInfo, APipeNamedLikeACallAnswersAtOnce)
{
    // Without a writer, opening it to read would wait for ever.
    test::TempDrives scratch("");
    const std::string pipe = scratch.hostPath("pipe.mp3");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadCallInfo(pipe).kind, CallInfo::Kind::NotAudio);
}

} // namespace
} // namespace korvane
