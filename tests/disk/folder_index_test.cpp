// What the disk knows of a folder's names stays right: through its own writes, through changes
// made by others between two operations, and where the folder cannot be read.
#include "disk/disk.h"

#include "support/drives_test.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <filesystem>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace korvane {
namespace {

namespace fs = std::filesystem;
using FolderIndex = test::DrivesTest;
using Names = std::vector<std::string>;

// While it lives, this thread obeys folder permissions even as root (the tests may run as
// root, who reads any folder).
class ObeyPermissions {
public:
    ObeyPermissions()
    {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        restore_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~ObeyPermissions()
    {
        if (restore_)
            ::syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool restore_ = false;
};

TEST_F(FolderIndex, FilesMadeRenamedOrRemovedOutsideBetweenTwoOperationsAreSeen)
{
    drives.writeFile("d:\\f\\a.mp3", "a");
    disk.WriteBytes("d:\\f\\new.mp3", "new"); // a name not there yet: the folder is indexed
    ASSERT_EQ(disk.Probe("d:\\f\\NEW.MP3"), "new.mp3");

    drives.writeFile("d:\\f\\TAPS.MP3", "taps");
    fs::rename(drives.hostPath("d/f/a.mp3"), drives.hostPath("d/f/Reveille.mp3"));
    fs::remove(drives.hostPath("d/f/new.mp3"));

    EXPECT_EQ(disk.Probe("d:\\f\\taps.mp3"), "TAPS.MP3");
    EXPECT_EQ(disk.Probe("d:\\f\\REVEILLE.MP3"), "Reveille.mp3");
    EXPECT_EQ(disk.Probe("d:\\f\\a.mp3"), "");
    EXPECT_EQ(disk.Probe("d:\\f\\new.mp3"), "");
    // A copy to the other case lands on the file made outside, not beside it.
    disk.WriteBytes("d:\\f\\source.txt", "copied");
    disk.FileCopy("d:\\f\\source.txt", "d:\\f\\taps.mp3");
    EXPECT_EQ(drives.entries("d/f"), (Names{"Reveille.mp3", "TAPS.MP3", "source.txt"}));
    EXPECT_EQ(drives.readFile("d/f/TAPS.MP3"), "copied");

    // The same between two operations of another copy of the disk, which shares what it knows.
    Disk other = disk;
    drives.writeFile("d:\\f\\Later.mp3", "later");
    other.Kill("d:\\f\\reveille.mp3");
    EXPECT_EQ(disk.Probe("d:\\f\\LATER.mp3"), "Later.mp3");
    EXPECT_EQ(disk.Probe("d:\\f\\Reveille.mp3"), "");
    disk.ForgetFolders();
    EXPECT_EQ(disk.Probe("d:\\f\\later.MP3"), "Later.mp3");
}

TEST_F(FolderIndex, ListingsFollowTheProgramsOwnChangesAndOthersChanges)
{
    drives.writeFile("d:\\f\\b.mp3", "b");
    drives.writeFile("d:\\f\\Sub\\k.txt", "k");
    // A lookup of a new name reads the folder; the listings after it come from that read, with
    // the program's own copies, folders and deletions in their places and hidden names left out.
    EXPECT_EQ(disk.Probe("d:\\f\\new.mp3"), "");
    disk.WriteBytes("d:\\f\\A.mp3", "a");
    disk.FileCopy("d:\\f\\b.mp3", "d:\\f\\c.mp3");
    disk.WriteBytes("d:\\f\\.hidden.mp3", "h");
    disk.MkDir("d:\\f\\Empty");
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.mp3"), (Names{"A.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(disk.ListFolders("d:\\f"), (Names{"Empty", "Sub"}));
    disk.Kill("d:\\f\\b.mp3");
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.*"), (Names{"A.mp3", "c.mp3"}));
    // Many changes in a row (a fill, a Delete All) are all there, however they are counted in.
    for (int i = 0; i < 100; ++i)
        disk.WriteBytes("d:\\f\\m" + std::to_string(i) + ".txt", "m");
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.txt").size(), 100u);
    for (int i = 0; i < 100; ++i)
        disk.Kill("d:\\f\\m" + std::to_string(i) + ".txt");
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.*"), (Names{"A.mp3", "c.mp3"}));

    // A listing read once is not trusted past a change made by someone else, in the same
    // operation or the next: files added, removed or made folders show.
    drives.writeFile("d:\\f\\Outside.mp3", "o");
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.mp3"), (Names{"A.mp3", "c.mp3", "Outside.mp3"}));
    fs::remove(drives.hostPath("d/f/c.mp3"));
    fs::create_directory(drives.hostPath("d/f/c.mp3"));
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.mp3"), (Names{"A.mp3", "Outside.mp3"}));
    EXPECT_EQ(disk.ListFolders("d:\\f"), (Names{"c.mp3", "Empty", "Sub"}));
    // And the names the listing read are found case-blind, as a lookup's own read finds them.
    EXPECT_EQ(disk.Probe("d:\\f\\OUTSIDE.MP3"), "Outside.mp3");
    // A link's kind is its target's, which may change while the link's folder does not.
    disk.ForgetFolders();
    drives.writeFile("d:\\g\\t.mp3", "t");
    fs::create_symlink(drives.hostPath("d/g/t.mp3"), drives.hostPath("d/f/link.mp3"));
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.mp3"), (Names{"A.mp3", "link.mp3", "Outside.mp3"}));
    fs::remove(drives.hostPath("d/g/t.mp3"));
    EXPECT_EQ(disk.ListFiles("d:\\f", "*.mp3"), (Names{"A.mp3", "Outside.mp3"}));
}

TEST_F(FolderIndex, ANameTheProgramWritesInAnotherCaseIsFoundAndTheFirstVariantWins)
{
    disk.MkDir("d:\\f");
    disk.WriteBytes("d:\\f\\x.mp3", "x");
    disk.WriteBytes("d:\\f\\Taps.mp3", "1");
    disk.WriteBytes("d:\\f\\TAPS.MP3", "2"); // the same file
    disk.MkDir("d:\\f\\Sub");
    disk.WriteBytes("d:\\F\\SUB\\k.txt", "k");
    EXPECT_EQ(drives.entries("d/f"), (Names{"Sub", "Taps.mp3", "x.mp3"}));
    EXPECT_EQ(drives.readFile("d/f/Taps.mp3"), "2");
    EXPECT_EQ(drives.readFile("d/f/Sub/k.txt"), "k");

    // Two variants on a host that tells cases apart: an exact name wins, any other case takes
    // the first in ordinal order ('T' before 't').
    drives.writeFile("d:\\f\\taps.mp3", "3");
    EXPECT_EQ(disk.Probe("d:\\f\\TAPS.MP3"), "Taps.mp3");
    EXPECT_EQ(disk.Probe("d:\\f\\taps.mp3"), "taps.mp3");
    disk.FileCopy("d:\\f\\x.mp3", "d:\\f\\tAPS.mp3");
    EXPECT_EQ(drives.readFile("d/f/Taps.mp3"), "x");
    EXPECT_EQ(drives.readFile("d/f/taps.mp3"), "3");

    // Once the program deletes the first, the next variant is the one found.
    disk.Kill("d:\\f\\Taps.mp3");
    EXPECT_EQ(disk.Probe("d:\\f\\TAPS.MP3"), "taps.mp3");
    disk.Kill("d:\\f\\TAPS.MP3");
    EXPECT_EQ(disk.Probe("d:\\f\\Taps.mp3"), "");
    EXPECT_EQ(drives.entries("d/f"), (Names{"Sub", "x.mp3"}));
}

TEST_F(FolderIndex, NamesWithoutLettersAreFoundAsWritten)
{
    drives.writeFile("d:\\n\\2024", "old");
    drives.writeFile("d:\\n\\0_1.7", "0_1.7");
    EXPECT_EQ(disk.Probe("d:\\n\\2024"), "2024");
    disk.WriteBytes("d:\\n\\12", "12");
    drives.writeFile("d:\\n\\345", "345");
    disk.FileCopy("d:\\n\\12", "d:\\n\\2024");

    for (const char* name : {"12", "345", "0_1.7"})
        EXPECT_EQ(disk.Probe(std::string("d:\\n\\") + name), name);
    EXPECT_EQ(disk.Probe("d:\\n\\999"), "");
    EXPECT_EQ(disk.FileLen("d:\\n\\345"), 3);
    EXPECT_EQ(drives.readFile("d/n/2024"), "12");
    EXPECT_EQ(drives.entries("d/n"), (Names{"0_1.7", "12", "2024", "345"}));
}

TEST_F(FolderIndex, AFolderThatCannotBeReadFindsOnlyTheExactName)
{
    drives.writeFile("d:\\locked\\Taps.mp3", "taps");
    const fs::path locked = drives.hostPath("d/locked");
    fs::permissions(locked, fs::perms::owner_write | fs::perms::owner_exec);
    {
        ObeyPermissions obey;
        if (DIR* readable = ::opendir(locked.c_str())) {
            ::closedir(readable);
            fs::permissions(locked, fs::perms::owner_all);
            GTEST_SKIP() << "this process reads folders without permission";
        }
        for (int look = 0; look < 2; ++look) { // nothing wrong is kept from the first look
            EXPECT_EQ(disk.Probe("d:\\locked\\Taps.mp3"), "Taps.mp3");
            EXPECT_EQ(disk.Probe("d:\\locked\\TAPS.MP3"), "");
            EXPECT_EQ(disk.FileLen("d:\\locked\\Taps.mp3"), 4);
        }
        // Writing a name in another case cannot see the stored one: a new file is made.
        disk.WriteBytes("d:\\locked\\taps.mp3", "new");
        EXPECT_EQ(disk.Probe("d:\\locked\\taps.mp3"), "taps.mp3");
        EXPECT_EQ(disk.Probe("d:\\locked\\Taps.mp3"), "Taps.mp3");
        EXPECT_EQ(disk.FileLen("d:\\locked\\taps.mp3"), 3);
    }
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(drives.entries("d/locked"), (Names{"Taps.mp3", "taps.mp3"}));
}

} // namespace
} // namespace korvane
