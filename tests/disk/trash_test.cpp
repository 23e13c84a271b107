// The user's files kept in the trash: a call deleted or a playlist replaced is renamed into the
// trash with an info file naming where it came from, restorable under its own name; where no
// trash can take it, it is deleted as before.
#include "disk/disk.h"

#include "support/temp_drives.h"
#include "sys/errors.h"
#include "sys/trash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane {
namespace {

fs::path u8path(const std::string& text)
{
    return fs::path(reinterpret_cast<const char8_t*>(text.c_str()));
}

struct Kept {
    fs::path original; // host path
    std::string storedName;
    std::string bytes;
};

std::vector<Kept> kept(const test::TempDrives& drives, const Trash& trash)
{
    std::vector<Kept> files;
    for (const TrashedFile& file : trash.contents({u8path(drives.host('d'))})) {
        std::ifstream in(file.stored, std::ios::binary);
        const std::u8string name = file.stored.filename().u8string();
        files.push_back({file.original.lexically_normal(), std::string(name.begin(), name.end()),
                         std::string(std::istreambuf_iterator<char>(in), {})});
    }
    std::sort(files.begin(), files.end(),
              [](const Kept& a, const Kept& b) { return a.storedName < b.storedName; });
    return files;
}

fs::path host(const test::TempDrives& drives, std::string_view path)
{
    return u8path(drives.hostPath(path)).lexically_normal();
}

TEST(Trash, ADeletedCallIsKeptUnderItsNameWithWhereItCameFrom)
{
    test::TempDrives drives("cd");
    const Trash trash = Trash::InFolder(u8path(drives.root()) / "trash");
    Disk disk = drives.disk();
    disk.setTrash(trash);

    drives.writeFile("d:\\Calls\\my call.mp3", "first");
    disk.Recycle("d:\\calls\\MY CALL.mp3");
    drives.writeFile("d:\\Calls\\my call.mp3", "second");
    disk.Recycle("d:\\calls\\my call.mp3");

    EXPECT_FALSE(drives.exists("d:\\Calls\\my call.mp3"));
    EXPECT_EQ(disk.Probe("d:\\calls\\my call.mp3"), "");
    const fs::path original = host(drives, "d:\\Calls\\my call.mp3");
    const std::vector<Kept> files = kept(drives, trash);
    ASSERT_EQ(files.size(), 2u);
    // The second takes a free name; both know where to go back to.
    EXPECT_EQ(files[0].storedName, "my call.2.mp3");
    EXPECT_EQ(files[0].bytes, "second");
    EXPECT_EQ(files[1].storedName, "my call.mp3");
    EXPECT_EQ(files[1].bytes, "first");
    EXPECT_EQ(files[0].original, original);
    EXPECT_EQ(files[1].original, original);
    // The info file as a file manager reads it.
    std::ifstream info(u8path(drives.root()) / "trash" / "info" / "my call.mp3.trashinfo");
    std::string header, path;
    std::getline(info, header);
    std::getline(info, path);
    EXPECT_EQ(header, "[Trash Info]");
    EXPECT_TRUE(path.ends_with("/Calls/my%20call.mp3")) << path;

    // A folder is refused as Kill refuses it, and a missing file fails as before.
    drives.makeFolder("d:\\Calls\\inner");
    EXPECT_THROW(disk.Recycle("d:\\calls\\inner"), PlatformError);
    EXPECT_TRUE(drives.isFolder("d:\\Calls\\inner"));
    EXPECT_THROW(disk.Recycle("d:\\calls\\gone.mp3"), PlatformError);
    EXPECT_EQ(kept(drives, trash).size(), 2u);
}

TEST(Trash, WhereNoTrashCanTakeAFileItIsDeletedAsBefore)
{
    test::TempDrives drives("cd");
    drives.writeFile("d:\\Calls\\a.mp3", "a");
    drives.writeFile("d:\\Calls\\b.mp3", "b");
    Disk disk = drives.disk();
    // No trash given: deleted outright.
    disk.Recycle("d:\\calls\\a.mp3");
    EXPECT_FALSE(drives.exists("d:\\Calls\\a.mp3"));

    // A trash that cannot be made: a plain file stands where its folder would.
    drives.writeFile("trash", "not a folder");
    const Trash blocked = Trash::InFolder(u8path(drives.root()) / "trash");
    disk.setTrash(blocked);
    disk.Recycle("d:\\calls\\b.mp3");
    EXPECT_FALSE(drives.exists("d:\\Calls\\b.mp3"));
    EXPECT_TRUE(kept(drives, blocked).empty());
    EXPECT_EQ(drives.readFile("trash"), "not a folder");
}

TEST(Trash, AReplacedPlaylistKeepsItsOldEntriesInTheTrash)
{
    test::TempDrives drives("cd");
    const Trash trash = Trash::InFolder(u8path(drives.root()) / "trash");
    Disk disk = drives.disk();
    disk.setTrash(trash);
    drives.writeFile("d:\\Calls\\0.txt", "Taps.mp3\r\nreveille.mp3");
    drives.writeFile("d:\\Calls\\1.txt", "");

    disk.WriteBytesKeepingOld("d:\\calls\\0.txt", "");
    disk.WriteBytesKeepingOld("d:\\calls\\1.txt", "");
    disk.WriteBytesKeepingOld("d:\\calls\\2.txt", "new");
    // Korvane's own working copies are replaced as always.
    drives.writeFile("c:\\0r.txt", "Taps.mp3");
    disk.WriteBytes("c:\\0r.txt", "");

    EXPECT_EQ(drives.readFile("d:\\Calls\\0.txt"), "");
    EXPECT_EQ(drives.readFile("d:\\Calls\\2.txt"), "new");
    // An empty playlist holds nothing to keep.
    const std::vector<Kept> files = kept(drives, trash);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].storedName, "0.txt");
    EXPECT_EQ(files[0].bytes, "Taps.mp3\r\nreveille.mp3");
}

TEST(TrashInfo, NamesAndPathsReadBackAsWritten)
{
    EXPECT_EQ(trash_info::NameForTry("Taps.mp3", 1), "Taps.mp3");
    EXPECT_EQ(trash_info::NameForTry("Taps.mp3", 2), "Taps.2.mp3");
    EXPECT_EQ(trash_info::NameForTry("README", 3), "README.3");
    EXPECT_EQ(trash_info::NameForTry(".hidden", 2), ".hidden.2");

    const std::string path = "/home/ann/Ruf 100%/r\xc3\xa9veil #1.mp3";
    const std::string text = trash_info::Text(path, "2026-12-06T10:00:00");
    EXPECT_EQ(text, "[Trash Info]\nPath=/home/ann/Ruf%20100%25/r%C3%A9veil%20%231.mp3\n"
                    "DeletionDate=2026-12-06T10:00:00\n");
    EXPECT_EQ(trash_info::OriginalPath(text), path);
    EXPECT_EQ(trash_info::OriginalPath("[Trash Info]\nDeletionDate=x\n"), std::nullopt);
}

} // namespace
} // namespace korvane
