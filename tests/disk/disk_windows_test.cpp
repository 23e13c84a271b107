// The disk layer's Windows backend, against the system itself: its drives, its case-blind
// names, names outside the ANSI code page, atomic replacement and the code page.
#include "disk/disk.h"
#include "disk/drive_map.h"
#include "support/drives_test.h"
#include "sys/errors.h"
#include "sys/host_files_windows.h"
#include "sys/system_drives.h"
#include "sys/text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane {
namespace {

using Names = std::vector<std::string>;
using test::FailureOf;
using WindowsDisk = test::DrivesTest;

const SystemDrive* driveOf(const std::vector<SystemDrive>& drives, char letter)
{
    const auto found = std::find_if(drives.begin(), drives.end(), [&](const SystemDrive& drive) {
        return drive.letter == letter;
    });
    return found == drives.end() ? nullptr : &*found;
}

TEST_F(WindowsDisk, TheDriveListIsTheSystemsWithItsRootsLabelsAndTypes)
{
    const std::vector<SystemDrive> before = SystemDrives();
    const SystemDrive* c = driveOf(before, 'c');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->root, "C:\\");
    EXPECT_FALSE(c->removable);

    // A removable drive with a label, which the test run sets up (scripts/test-windows.sh):
    // "r:TARVO" for drive r: labelled TARVO whose folder the test may write into.
    const char* given = std::getenv("KORVANE_TEST_REMOVABLE_DRIVE");
    if (!given || std::string_view(given).size() < 2)
        GTEST_SKIP() << "KORVANE_TEST_REMOVABLE_DRIVE names no removable drive to look at";
    const char letter = static_cast<char>(std::tolower(given[0]));
    const SystemDrive* removable = driveOf(before, letter);
    ASSERT_NE(removable, nullptr) << given;
    EXPECT_TRUE(removable->removable);
    EXPECT_EQ(removable->label, std::string(given + 2));
    EXPECT_EQ(removable->root, (std::string{static_cast<char>(std::toupper(letter)), ':', '\\'}));

    // The default map is the system's list, each drive with its label; a refresh reads it again.
    const std::vector<DriveMapping> map = DefaultDriveMap({});
    ASSERT_EQ(map.size(), before.size());
    for (std::size_t i = 0; i < map.size(); ++i) {
        EXPECT_EQ(map[i].letter, before[i].letter);
        EXPECT_EQ(map[i].hostRoot, before[i].root);
        EXPECT_EQ(map[i].label, before[i].label);
    }
    Disk system(map);
    const std::string entry = std::string(1, letter) + ": [" + removable->label + "]";
    EXPECT_EQ(system.DriveEntry(letter), entry);
    // The drive's files are reached through its letter.
    const std::string note = std::string{letter, ':', '\\'} + "Korvane note.txt";
    system.WriteBytes(note, "on the drive");
    EXPECT_EQ(system.ReadBytes(note), "on the drive");
    EXPECT_EQ(system.ListFiles(std::string{letter, ':', '\\'}, "korvane*"),
              Names{"Korvane note.txt"});
    system.Kill(note);
}

TEST_F(WindowsDisk, NamesMatchWithoutRegardToCaseAndKeepTheCaseStored)
{
    drives.writeFile("d:\\Calls\\Taps.mp3", "taps");

    EXPECT_EQ(disk.ReadBytes("D:\\CALLS\\TAPS.MP3"), "taps");
    EXPECT_EQ(disk.Probe("d:\\calls\\taps.MP3"), "Taps.mp3");
    EXPECT_TRUE(disk.FolderExists("d:\\cAlLs"));
    EXPECT_EQ(disk.FileLen("d:\\calls\\TAPS.mp3"), 4);
    // A copy onto another case of an existing name replaces that file under its stored name.
    drives.writeFile("d:\\kit\\new.mp3", "newer taps");
    disk.FileCopy("d:\\kit\\new.mp3", "d:\\calls\\TAPS.MP3");
    EXPECT_EQ(disk.ListFiles("d:\\calls", "*"), Names{"Taps.mp3"});
    EXPECT_EQ(drives.readFile("d:\\Calls\\Taps.mp3"), "newer taps");
    // Deleting through another case deletes the file.
    disk.Kill("d:\\CALLS\\taps.mp3");
    EXPECT_EQ(disk.ListFiles("d:\\calls", "*"), Names{});
    // A new file takes the case given.
    disk.WriteBytes("d:\\calls\\Reveille.MP3", "r");
    EXPECT_EQ(disk.ListFiles("d:\\calls", "*.mp3"), Names{"Reveille.MP3"});
}

TEST_F(WindowsDisk, ANameOutsideTheCodePageIsCopiedListedAndMeasured)
{
    const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xD0\xB7\xD0\xB2\xD0\xBE\xD0\xBD.mp3";
    disk.MkDir("d:\\calls");
    disk.WriteBytes("d:\\calls\\" + name, "nihon");
    EXPECT_EQ(disk.ListFiles("d:\\calls", "*.mp3"), Names{name});
    disk.FileCopy("d:\\calls\\" + name, "e:\\" + name);
    EXPECT_EQ(disk.FileLen("e:\\" + name), 5);
    EXPECT_EQ(disk.ListFiles("e:\\", "*"), Names{name});
    EXPECT_TRUE(disk.SameOnMedium("d:\\calls\\" + name, "e:\\" + name));
    // The system holds it under its own name, not a code page's replacement characters.
    const fs::path host =
        fs::path(drives.host('e')) / fs::path(std::u8string(name.begin(), name.end()));
    std::ifstream in(host, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "nihon");
    EXPECT_FALSE(ToAnsi(name).has_value());
}

TEST_F(WindowsDisk, AReplacementThatFailsKeepsTheOldFileAndLeavesNothingBehind)
{
    drives.writeFile("d:\\0.txt", "old list");
    // Another program holds the file open without letting it be replaced.
    const std::wstring held = fs::path(drives.hostPath("d:\\0.txt")).wstring();
    const HANDLE handle = ::CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    const PlatformError refused = FailureOf([&] { disk.WriteBytes("d:\\0.txt", "new list"); });
    EXPECT_EQ(refused.operation() + " | " + refused.osText(), "write | Permission denied");
    ::CloseHandle(handle);
    EXPECT_EQ(drives.readFile("d:\\0.txt"), "old list");
    // No temporary file is left beside it (listings leave dot-names out: look at the host).
    EXPECT_EQ(std::distance(fs::directory_iterator(drives.host('d')), fs::directory_iterator()), 1);
    // Once free, the same write replaces it whole.
    disk.WriteBytes("d:\\0.txt", "new list");
    EXPECT_EQ(drives.readFile("d:\\0.txt"), "new list");
    // Failures read as they do on every system.
    drives.makeFolder("d:\\folder");
    EXPECT_EQ(FailureOf([&] { disk.ReadBytes("d:\\folder"); }).osText(), "Is a directory");
    EXPECT_EQ(FailureOf([&] { disk.MkDir("d:\\0.txt\\below"); }).osText(), "Not a directory");
}

TEST_F(WindowsDisk, TheSystemsCodePageRoundTripsEveryByte)
{
    CPINFO info{};
    ASSERT_TRUE(::GetCPInfo(CP_ACP, &info));
    if (info.MaxCharSize != 1)
        GTEST_SKIP() << "the system's code page " << ::GetACP() << " is not single-byte";
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::string utf8 = FromAnsi(ansi);
        EXPECT_EQ(ToAnsi(utf8), ansi) << "byte " << byte << " of code page " << ::GetACP();
    }
    EXPECT_EQ(FromAnsi("Taps 1.mp3"), "Taps 1.mp3");
    EXPECT_EQ(ToAnsi("\xFF\xFE"), std::nullopt); // not UTF-8
    if (::GetACP() == 1252) {
        EXPECT_EQ(ToAnsi("Caf\xC3\xA9 \xE2\x82\xAC.mp3"), "Caf\xE9 \x80.mp3");
        EXPECT_EQ(FromAnsi("Caf\xE9 \x80.mp3"), "Caf\xC3\xA9 \xE2\x82\xAC.mp3");
        // No look-alike stands in for a character the code page lacks.
        EXPECT_EQ(ToAnsi("\xC4\x8C"), std::nullopt); // C with caron, not plain C
    }
}

// A system set to UTF-8 (code page 65001) refuses the no-best-fit flags: every name it can
// hold must still convert, and in the stateful code pages a lost character is still refused.
TEST_F(WindowsDisk, CodePagesWithoutBestFitFlagsConvertAndRefuseAsTheOthers)
{
    using host::FromCodePage;
    using host::ToCodePage;
    const std::string names = "Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC.mp3";
    EXPECT_EQ(ToCodePage(CP_UTF8, names), names);
    EXPECT_EQ(FromCodePage(CP_UTF8, names), names);
    EXPECT_EQ(ToCodePage(CP_UTF8, "\xFF\xFE"), std::nullopt);
    EXPECT_EQ(ToCodePage(1252, names), std::nullopt);
    if (::IsValidCodePage(50220)) { // ISO-2022-JP: Japanese, stateful
        const std::optional<std::string> japanese = ToCodePage(50220, "\xE6\x97\xA5.mp3");
        ASSERT_TRUE(japanese.has_value());
        EXPECT_EQ(FromCodePage(50220, *japanese), "\xE6\x97\xA5.mp3");
        EXPECT_EQ(ToCodePage(50220, "\xC4\x8C"), std::nullopt);
    }
}

} // namespace
} // namespace korvane
