// The disk over the drive map, and the start of the program on a drive map: the README's
// KORVANE_DRIVES example started from a copy of the factory kit that none of its drives holds.
#include "disk/disk.h"

#include "disk/start_folder.h"
#include "events/events.h"
#include "support/drives_test.h"
#include "support/window_harness.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace korvane {
namespace {

using test::FailureOf;
using test::PartsOf;
using DiskTest = test::DrivesTest;
using StartFolder = test::DrivesTest;
using Names = std::vector<std::string>;

TEST_F(DiskTest, ProbeYieldsTheStoredNameOrTheFirstEntryListed)
{
    for (const char* name : {"b.txt", ".hidden", "top.mp3", "kit\\Taps.mp3", "kit\\reveille.mp3",
                             "kit\\attention.MP3", "kit\\0.txt"})
        drives.writeFile(std::string("d:\\") + name, "");
    drives.makeFolder("d:\\Apple");
    // Each path of the list yields name.
    const auto probe = [&](const char* name, std::initializer_list<const char*> paths) {
        for (const char* path : paths)
            EXPECT_EQ(disk.Probe(path), name) << path;
    };
    // A file or folder: its stored name, whatever the case or the detours written; nothing for
    // a name that is not there, below a file (a file is no folder) or on no such drive.
    probe("Taps.mp3", {"d:\\kit\\taps.mp3", "D:\\KIT\\TAPS.MP3", "d:\\kit\\.\\..\\kit\\Taps.mp3"});
    probe("kit", {"d:\\KIT"});
    probe("", {"", "d:\\kit\\none.mp3", "d:\\none\\Taps.mp3", "d:\\kit\\Taps.mp3\\x",
               "d:\\kit\\Taps.mp3\\", "q:\\kit\\Taps.mp3"});
    // A root: its first entry sorted by lowered name, hidden ones not listed; an empty root
    // yields nothing, which is what makes start-up fill a new folder.
    probe("Apple", {"d:\\", "D:"});
    probe("", {"e:\\", "e:"});
    // Any other folder lists "." first, as Windows does; wildcards give the first match in list
    // order.
    probe(".", {"d:\\kit\\", "d:\\Apple\\", "d:\\kit\\*"});
    probe("attention.MP3", {"d:\\kit\\*.mp3"});
    probe("Taps.mp3", {"d:\\kit\\t*"});
    probe("0.txt", {"d:\\kit\\?.TXT"});
    probe("top.mp3", {"d:\\*.mp3"});
    probe("", {"d:\\kit\\*.wav", "d:\\none\\*.mp3"});
}

TEST_F(DiskTest, EachDriveKeepsItsOwnCurrentFolder)
{
    drives.setLabel('e', "DEVICE");
    disk = drives.disk();
    drives.makeFolder("d:\\Kit\\Sub");
    drives.makeFolder("c:\\work");

    EXPECT_EQ(disk.CurrentDrive(), 'c');
    EXPECT_EQ(disk.CurDir('d'), "d:\\"); // not yet visited: its root
    disk.ChDir("D:\\KIT\\sub");
    EXPECT_EQ(disk.CurDir('d'), "d:\\Kit\\Sub"); // the case as stored
    EXPECT_EQ(disk.CurrentDrive(), 'c');         // ChDir leaves the current drive
    EXPECT_EQ(disk.CurDir('c'), "c:\\");
    EXPECT_EQ(disk.CurDir('e'), "e:\\");
    disk.ChDir("c:\\work");
    EXPECT_EQ(disk.CurDir('C'), "c:\\work");
    EXPECT_EQ(disk.CurDir('d'), "d:\\Kit\\Sub");
    disk.ChDir("d:\\");
    EXPECT_EQ(disk.CurDir('d'), "d:\\");

    EXPECT_EQ(PartsOf(FailureOf([&] { disk.ChDir("c:\\nope"); })),
              "open folder | c:\\nope | No such file or directory");
    EXPECT_EQ(disk.CurDir('c'), "c:\\work");
    drives.writeFile("c:\\work\\a.txt", "");
    EXPECT_EQ(FailureOf([&] { disk.ChDir("c:\\work\\a.txt"); }).osText(), "Not a directory");

    disk.ChDrive("e: [DEVICE]");
    EXPECT_EQ(disk.CurrentDrive(), 'e');
    disk.ChDrive("D");
    EXPECT_EQ(disk.CurrentDrive(), 'd');
    EXPECT_EQ(FailureOf([&] { disk.ChDrive("q:"); }).osText(), "No such device");
    EXPECT_EQ(disk.CurrentDrive(), 'd');

    EXPECT_TRUE(disk.HasDrive('E'));
    EXPECT_FALSE(disk.HasDrive('f'));

    // A drive whose volume went away stays in the map but cannot be entered or probed.
    Disk pulled({{'c', drives.host('c'), ""}, {'f', drives.root() + "/gone", ""}});
    const PlatformError gone = FailureOf([&] { pulled.ChDrive("f:"); });
    EXPECT_EQ(gone.operation() + " | " + gone.osText(), "open drive | No such file or directory");
    EXPECT_EQ(pulled.CurrentDrive(), 'c');
    EXPECT_EQ(pulled.Probe("f:\\"), "");
    EXPECT_FALSE(pulled.FolderExists("f:\\"));

    // Without a drive c: the first drive of the map is current.
    EXPECT_EQ(Disk({{'e', drives.host('e'), ""}, {'d', drives.host('d'), ""}}).CurrentDrive(), 'e');
}

TEST_F(DiskTest, RelativePathsResolveAgainstTheCurrentDriveAndFolders)
{
    drives.writeFile("d:\\Kit\\Taps.mp3", "taps");
    drives.makeFolder("c:\\work");
    disk.ChDrive("d");
    disk.ChDir("d:\\kit");

    EXPECT_EQ(disk.Absolute("x.txt"), "d:\\Kit\\x.txt");
    EXPECT_EQ(disk.Absolute("\\x.txt"), "d:\\x.txt");
    EXPECT_EQ(disk.Absolute("..\\y"), "d:\\y");
    EXPECT_EQ(disk.Absolute("c:x"), "c:\\x"); // c: not visited: its root
    disk.ChDir("c:work");
    EXPECT_EQ(disk.Absolute("c:x"), "c:\\work\\x");
    EXPECT_EQ(disk.Absolute("C:\\a\\.\\b\\..\\c"), "c:\\a\\c");
    EXPECT_EQ(disk.Absolute("d:\\..\\..\\x"), "d:\\x");
    EXPECT_EQ(disk.Absolute("d:\\a\\"), "d:\\a");

    EXPECT_EQ(disk.ReadBytes("taps.mp3"), "taps");
    EXPECT_EQ(disk.Probe("TAPS.mp3"), "Taps.mp3");
    EXPECT_EQ(disk.FileLen("..\\kit\\Taps.mp3"), 4);
    // A bare drive lists its current folder, which is no root here.
    EXPECT_EQ(disk.Probe("c:"), ".");
    disk.WriteBytes("new.txt", "n");
    EXPECT_EQ(drives.readFile("d:\\Kit\\new.txt"), "n");
}

TEST_F(DiskTest, ComponentsMatchWithoutRegardToCase)
{
    drives.writeFile("d:\\Calls\\taps.mp3", "small");

    EXPECT_EQ(disk.ReadBytes("d:\\CALLS\\TAPS.mp3"), "small");
    EXPECT_EQ(disk.Probe("d:\\calls\\Taps.mp3"), "taps.mp3");

    // What exists takes its stored name, the rest is taken as written.
    const std::filesystem::path d(drives.host('d'));
    EXPECT_EQ(std::filesystem::path(disk.HostPath("D:\\CALLS\\New\\File.TXT").value()),
              d / "Calls" / "New" / "File.TXT");
    EXPECT_EQ(std::filesystem::path(disk.HostPath("d:\\").value()), d);
    EXPECT_EQ(disk.HostPath("q:\\x"), std::nullopt);

    // A new folder gets the case given; an existing one keeps its own.
    disk.MkDir("d:\\calls\\Sub");
    EXPECT_EQ(disk.ListFolders("d:\\calls"), Names{"Sub"});
    EXPECT_EQ(FailureOf([&] { disk.MkDir("d:\\CALLS\\SUB"); }).osText(), "File exists");
    EXPECT_TRUE(disk.FolderExists("d:\\CALLS\\sub"));
    EXPECT_FALSE(disk.FolderExists("d:\\calls\\taps.mp3"));
    EXPECT_FALSE(disk.FolderExists("q:\\"));
}

TEST_F(DiskTest, MeasuringAFolderOfFilesGivesWhatFileLenGivesForEach)
{
    drives.writeFile("d:\\kit\\Taps.mp3", "taps");
    drives.writeFile("d:\\kit\\reveille.mp3", "reveille");
    drives.makeFolder("d:\\kit\\Deep");
    Names seen;
    disk.setFaultHook([&](std::string_view operation, const std::string& path) {
        seen.push_back(std::string(operation) + " " + path);
    });

    const Names names = {"Taps.mp3", "taps.mp3", "REVEILLE.mp3"};
    std::vector<std::int64_t> lengths;
    disk.MeasureFiles("d:\\KIT", names, [&](std::size_t index, std::int64_t bytes) {
        EXPECT_EQ(index, lengths.size());
        lengths.push_back(bytes);
    });
    EXPECT_EQ(lengths, (std::vector<std::int64_t>{4, 4, 8}));
    EXPECT_EQ(seen.front(), "length d:\\KIT\\Taps.mp3");
    EXPECT_EQ(seen.size(), names.size());

    // The first that cannot be measured stops it with FileLen's error, after those before it.
    for (const Names& failing : {Names{"reveille.mp3", "none.mp3", "Taps.mp3"},
                                 Names{"reveille.mp3", "Deep", "Taps.mp3"}}) {
        lengths.clear();
        const PlatformError error = FailureOf([&] {
            disk.MeasureFiles("d:\\kit", failing,
                              [&](std::size_t, std::int64_t bytes) { lengths.push_back(bytes); });
        });
        const PlatformError expected = FailureOf([&] { disk.FileLen("d:\\kit\\" + failing[1]); });
        EXPECT_EQ(lengths, std::vector<std::int64_t>{8});
        EXPECT_EQ(std::string(error.what()), std::string(expected.what()));
    }
    EXPECT_EQ(FailureOf([&] { disk.MeasureFiles("d:\\none", {"a.mp3"}, {}); }).path(),
              "d:\\none\\a.mp3");
}

TEST_F(DiskTest, WindowsPathGoesThroughTheLongestDriveRoot)
{
    const std::string c = drives.host('c');
    disk = Disk({{'c', c, ""}, {'e', c + "/dev/", "DEVICE"}});

    EXPECT_EQ(disk.WindowsPath(c + "/dev/Tarvo_Calls/Taps.mp3"), "e:\\Tarvo_Calls\\Taps.mp3");
    EXPECT_EQ(disk.WindowsPath(c + "/dev"), "e:\\");
    EXPECT_EQ(disk.WindowsPath(c + "/device"), "c:\\device"); // only at a component boundary
    EXPECT_EQ(disk.WindowsPath(c + "/"), "c:\\");
    EXPECT_EQ(disk.WindowsPath(c + "//a/./b/../x"), "c:\\a\\x");
    EXPECT_EQ(Disk({{'e', c + "/dev", ""}}).WindowsPath(c), std::nullopt);
    // The way back lands on the same host folder.
    EXPECT_EQ(std::filesystem::path(disk.HostPath("e:\\Tarvo_Calls").value()),
              std::filesystem::path(c) / "dev" / "Tarvo_Calls");
}

TEST_F(DiskTest, RepeatedAndForwardSeparatorsCountAsOne)
{
    drives.writeFile("d:\\Tarvo_Calls\\Taps.mp3", "taps");

    EXPECT_EQ(disk.Absolute("k:\\\\Tarvo_Calls"), "k:\\Tarvo_Calls");
    EXPECT_EQ(disk.Probe("d:\\\\Tarvo_Calls\\\\\\taps.mp3"), "Taps.mp3");
    EXPECT_EQ(disk.Probe("d:/tarvo_calls/Taps.mp3"), "Taps.mp3");
    EXPECT_EQ(disk.ReadBytes("d:\\tarvo_calls//taps.mp3"), "taps");
    EXPECT_EQ(std::filesystem::path(disk.HostPath("d:\\\\Tarvo_Calls\\\\").value()),
              std::filesystem::path(drives.host('d')) / "Tarvo_Calls");
    disk.ChDir("d:\\\\Tarvo_Calls\\\\");
    EXPECT_EQ(disk.CurDir('d'), "d:\\Tarvo_Calls");
}

TEST_F(DiskTest, WriteIsAtomicAndAFailureLeavesTheOldFile)
{
    drives.writeFile("d:\\p\\0.txt", "old");
    drives.makeFolder("d:\\p\\folder.txt");
    const Names before = drives.entries("d/p");

    disk.WriteBytes("d:\\p\\0.txt", "new\r\nbytes");
    EXPECT_EQ(drives.readFile("d:\\p\\0.txt"), "new\r\nbytes");
    disk.WriteBytes("d:\\p\\0.txt", "");
    EXPECT_EQ(drives.readFile("d:\\p\\0.txt"), "");
    disk.WriteBytes("d:\\p\\0.txt", "old");

    // The rename fails when the target is a folder: the temporary file goes again.
    EXPECT_EQ(PartsOf(FailureOf([&] { disk.WriteBytes("d:\\p\\folder.txt", "x"); })),
              "write | d:\\p\\folder.txt | Is a directory");
    EXPECT_TRUE(drives.isFolder("d:\\p\\folder.txt"));
    EXPECT_EQ(drives.entries("d/p"), before);

    // A refused write leaves the old content.
    disk.setFaultHook([](std::string_view operation, const std::string& path) {
        if (operation == "write")
            throw PlatformError("write", path, "No space left on device");
    });
    EXPECT_EQ(FailureOf([&] { disk.WriteBytes("d:\\p\\0.txt", "lost"); }).osText(),
              "No space left on device");
    EXPECT_EQ(drives.readFile("d:\\p\\0.txt"), "old");
    EXPECT_EQ(drives.entries("d/p"), before);

    disk.setFaultHook(nullptr);
    EXPECT_EQ(FailureOf([&] { disk.WriteBytes("d:\\none\\0.txt", "x"); }).osText(),
              "No such file or directory");
}

TEST_F(DiskTest, ReadLinesEndsLinesAtCrLfOrCrOnly)
{
    const auto lines = [&](std::string_view bytes) {
        drives.writeFile("d:\\t.txt", bytes);
        return disk.ReadLines("d:\\t.txt");
    };
    EXPECT_EQ(lines("Taps.mp3\r\ntattoo.mp3\r\nreveille.mp3"),
              (Names{"Taps.mp3", "tattoo.mp3", "reveille.mp3"}));
    EXPECT_EQ(lines("a\r\nb\r\n"), (Names{"a", "b"})); // no empty line after the last break
    EXPECT_EQ(lines("a\rb\r"), (Names{"a", "b"}));
    EXPECT_EQ(lines("a\nb\r\nc"), (Names{"a\nb", "c"})); // a lone LF stays in the line
    EXPECT_EQ(lines("a\n"), (Names{"a\n"}));
    EXPECT_EQ(lines("\r\n\r\n"), (Names{"", ""}));
    EXPECT_EQ(lines("a\r\r\nb"), (Names{"a", "", "b"}));
    EXPECT_EQ(lines("caf\xE9"), (Names{"caf\xE9"})); // bytes as stored
    EXPECT_EQ(lines(""), Names{});
    EXPECT_EQ(disk.ReadBytes("d:\\t.txt"), "");
    drives.writeFile("d:\\t.txt", std::string("a\0b", 3));
    EXPECT_EQ(disk.ReadBytes("d:\\t.txt"), std::string("a\0b", 3));
}

TEST_F(DiskTest, ListingsHoldMatchingNamesSortedByLoweredName)
{
    for (const char* name : {"b.mp3", "A.MP3", "c.Mp3", "_x.mp3", "notes.txt", ".hidden.mp3"})
        drives.writeFile(std::string("d:\\s\\") + name, "");
    for (const char* name : {"folder.mp3", "Beta", "alpha", ".cache"})
        drives.makeFolder(std::string("d:\\s\\") + name);

    // "_" (0x5F) sorts before the lowered letters but after the capitals.
    EXPECT_EQ(disk.ListFiles("d:\\S", "*.mp3"), (Names{"_x.mp3", "A.MP3", "b.mp3", "c.Mp3"}));
    EXPECT_EQ(disk.ListFiles("d:\\s\\", "*.*"),
              (Names{"_x.mp3", "A.MP3", "b.mp3", "c.Mp3", "notes.txt"}));
    EXPECT_EQ(disk.ListFiles("d:\\s", "*.tymdhms"), Names{});
    EXPECT_EQ(disk.ListFiles("d:\\s", "?.mp3;*.txt"),
              (Names{"A.MP3", "b.mp3", "c.Mp3", "notes.txt"}));
    EXPECT_EQ(disk.ListFolders("d:\\s"), (Names{"alpha", "Beta", "folder.mp3"}));
    EXPECT_EQ(disk.ListFolders("d:\\s\\alpha"), Names{});

    EXPECT_EQ(PartsOf(FailureOf([&] { disk.ListFiles("d:\\none", "*.mp3"); })),
              "open folder | d:\\none | No such file or directory");
    EXPECT_THROW(disk.ListFolders("d:\\none"), PlatformError);
}

TEST_F(DiskTest, FileOperationsCopyMeasureDeleteAndMakeFolders)
{
    drives.writeFile("d:\\kit\\Taps.mp3", "taps bytes");
    drives.writeFile("e:\\Tarvo_Calls\\TAPS.MP3", "older and longer");

    EXPECT_EQ(disk.FileLen("d:\\kit\\taps.mp3"), 10);
    // The destination is replaced and keeps its stored name.
    disk.FileCopy("d:\\kit\\taps.mp3", "e:\\tarvo_calls\\Taps.mp3");
    EXPECT_EQ(drives.readFile("e:\\Tarvo_Calls\\TAPS.MP3"), "taps bytes");
    EXPECT_EQ(disk.ListFiles("e:\\Tarvo_Calls", "*"), Names{"TAPS.MP3"});
    disk.FileCopy("d:\\kit\\Taps.mp3", "e:\\New.mp3");
    EXPECT_EQ(drives.readFile("e:\\New.mp3"), "taps bytes");
    // Copying a file onto itself fails instead of emptying it.
    EXPECT_THROW(disk.FileCopy("d:\\kit\\Taps.mp3", "d:\\KIT\\TAPS.mp3"), PlatformError);
    EXPECT_EQ(drives.readFile("d:\\kit\\Taps.mp3"), "taps bytes");

    disk.Kill("E:\\NEW.MP3");
    EXPECT_FALSE(drives.exists("e:\\New.mp3"));
    disk.MkDir("e:\\Tarvo_Calls\\Deep");
    EXPECT_TRUE(drives.isFolder("e:\\Tarvo_Calls\\Deep"));
    EXPECT_THROW(disk.Kill("e:\\Tarvo_Calls\\Deep"), PlatformError);
    EXPECT_TRUE(drives.isFolder("e:\\Tarvo_Calls\\Deep"));
}

TEST_F(DiskTest, FailuresNameTheOperationThePathAndTheOsText)
{
    drives.makeFolder("d:\\kit");
    drives.writeFile("d:\\a.mp3", "a");
    drives.writeFile("d:\\plain", "");
    const std::string missing = "No such file or directory";
    struct Failure {
        std::function<void()> operation;
        const char* name;
        const char* path;
        std::string osText;
    };
    const Failure failures[] = {
        {[&] { disk.FileLen("d:\\KIT\\none.mp3"); }, "measure", "d:\\KIT\\none.mp3", missing},
        // A missing source is named as the file that could not be read, not the destination.
        {[&] { disk.FileCopy("d:\\none.mp3", "d:\\kit\\a.mp3"); }, "read", "d:\\none.mp3", missing},
        {[&] { disk.FileCopy("d:\\a.mp3", "d:\\no\\a.mp3"); }, "copy to", "d:\\no\\a.mp3", missing},
        {[&] { disk.Kill("d:\\kit\\none.mp3"); }, "delete", "d:\\kit\\none.mp3", missing},
        {[&] { disk.MkDir("d:\\plain\\b"); }, "make folder", "d:\\plain\\b", "Not a directory"},
        {[&] { disk.MkDir("d:\\x\\y"); }, "make folder", "d:\\x\\y", missing},
        {[&] { disk.ReadBytes("d:\\no.txt"); }, "read", "d:\\no.txt", missing},
        {[&] { disk.WriteBytes("q:\\x.txt", "x"); }, "write", "q:\\x.txt", "No such device"},
    };
    for (const Failure& failure : failures)
        EXPECT_EQ(PartsOf(FailureOf(failure.operation)),
                  std::string(failure.name) + " | " + failure.path + " | " + failure.osText);
    EXPECT_EQ(std::string(FailureOf(failures[0].operation).what()),
              "Could not measure \"d:\\KIT\\none.mp3\": No such file or directory");
}

TEST_F(StartFolder, AFolderOutsideEveryDriveBecomesTheNextFreeDriveAndTheWindowStartsThere)
{
    const std::string kit = drives.root() + "/kit";
    test::WriteKit(drives, "kit");

    const StartDrives start = WithStartFolder(drives.map(), kit);
    ASSERT_EQ(start.addedLetter, 'f');
    ASSERT_EQ(start.drives.size(), 4u);
    EXPECT_EQ(start.drives.back().letter, 'f');
    EXPECT_EQ(start.drives.back().hostRoot, kit);
    EXPECT_EQ(StartDriveNotice(start, kit), "no drive of KORVANE_DRIVES holds the current folder " +
                                                kit + "; it is drive f: for this run");

    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, kit), "");
    EXPECT_EQ(disk.CurrentDrive(), 'f');
    test::ScriptedBoxes boxes;
    test::ScriptedPicker picker;
    test::CountingPump pump;
    Form1 form(disk, boxes, picker, pump, WireEvents);
    form.Load();
    // The kit is where the program starts: nothing is made, no box complains.
    EXPECT_EQ(form.StartFolder, "f:\\");
    EXPECT_EQ(form.CreatedSoundFolder, "");
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().prompt;
    EXPECT_FALSE(drives.exists("c:\\Tarvo_Calls"));
    EXPECT_EQ(form.Drive2.Drive(), "f:");
}

TEST_F(StartFolder, AFolderADriveHoldsIsEnteredOnThatDriveAndNoDriveIsAdded)
{
    drives.makeFolder("d:\\work\\Calls");
    const std::string work = drives.host('d') + "/work/calls"; // found without regard to case

    const StartDrives start = WithStartFolder(drives.map(), work);
    EXPECT_EQ(start.addedLetter, 0);
    EXPECT_EQ(start.drives.size(), 3u);
    EXPECT_EQ(StartDriveNotice(start, work), "");
    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, work), "");
    EXPECT_EQ(disk.CurrentDrive(), 'd');
    EXPECT_EQ(disk.CurDir('d'), "d:\\work\\Calls");

    // A folder that went between the start and entering it is reported, not thrown.
    std::filesystem::remove(drives.host('d') + "/work/Calls");
    Disk later(start.drives);
    EXPECT_NE(EnterStartFolder(later, drives.host('d') + "/work/Calls"), "");
}

TEST_F(StartFolder, WithEveryLetterTakenTheDrivesStayAsTheyAre)
{
    std::vector<DriveMapping> all;
    for (char letter = 'c'; letter <= 'z'; ++letter)
        all.push_back({letter, drives.host('c'), ""});
    const std::string outside = drives.root() + "/outside";
    const StartDrives start = WithStartFolder(all, outside);
    EXPECT_EQ(start.addedLetter, 0);
    EXPECT_EQ(start.drives.size(), all.size());
    Disk disk(start.drives);
    EXPECT_EQ(EnterStartFolder(disk, outside), "");
    EXPECT_EQ(disk.CurrentDrive(), 'c');
}

} // namespace
} // namespace korvane
