#include "disk/drive_map.h"

#include "controls/controls.h"
#include "support/temp_drives.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvane {
namespace {

using Names = std::vector<std::string>;

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_ ? old_->c_str() : nullptr); }

private:
    void set(const char* value) { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }
    const char* name_;
    std::optional<std::string> old_;
};

// The letters and entry texts of a map, "c: d: e: [TARVO] z:", to compare whole maps at once.
std::string entries(const std::vector<DriveMapping>& drives)
{
    const Disk disk(drives);
    std::string text;
    for (const DriveMapping& drive : drives)
        text += (text.empty() ? "" : " ") + disk.DriveEntry(drive.letter);
    return text;
}

// The letters and host roots of a map, "c=/k/c d=/home/u".
std::string roots(const std::vector<DriveMapping>& drives)
{
    std::string text;
    for (const DriveMapping& drive : drives)
        text += (text.empty() ? "" : " ") + std::string(1, drive.letter) + "=" + drive.hostRoot;
    return text;
}

std::string rootOf(const std::vector<DriveMapping>& drives, char letter)
{
    for (const DriveMapping& drive : drives) {
        if (drive.letter == letter)
            return drive.hostRoot;
    }
    return "(none)";
}

TEST(DriveMap, ParsesLettersFoldersAndLabels)
{
    std::string error;
    const auto drives = ParseDriveMap("c=/srv/k/c;E=/media/u/DEV:DEVICE;f=/mnt/x:", error);
    ASSERT_TRUE(drives.has_value()) << error;
    EXPECT_EQ(entries(*drives), "c: e: [DEVICE] f:");
    EXPECT_EQ(roots(*drives), "c=/srv/k/c e=/media/u/DEV f=/mnt/x");
    // Empty entries, as left by a final ';', are no drives.
    const auto single = ParseDriveMap("z=/;", error);
    ASSERT_TRUE(single.has_value()) << error;
    EXPECT_EQ(entries(*single) + " " + roots(*single), "z: z=/");
}

TEST(DriveMap, RefusesMalformedMapsWithAReason)
{
    // In order: no drive at all, an empty letter, two letters, not a letter, the same drive
    // twice, a relative folder, no folder, a label but no folder, no '=', and a good entry that
    // does not save a bad one.
    for (const char* text : {"", "=/srv/k", "cd=/srv/k", "1=/srv/k", "c=/srv/a;C=/srv/b", "c=srv/k",
                             "c=", "c=:LABEL", "c/srv/k", "c=/srv/k;e=media/dev"}) {
        std::string error;
        EXPECT_FALSE(ParseDriveMap(text, error).has_value()) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(DriveMap, DefaultMapPutsDataHomeRemovablesAndHostRoot)
{
    test::TempDrives temp("");
    const std::string home = temp.root() + "/home";
    std::filesystem::create_directory(home);
    ScopedEnv homeEnv("HOME", home.c_str());
    {
        ScopedEnv dataEnv("XDG_DATA_HOME", nullptr);
        const auto drives =
            DefaultDriveMap({{"/media/u/DEV", "DEVICE", true}, {"/media/u/STICK", "", true}});
        EXPECT_EQ(entries(drives), "c: d: e: [DEVICE] f: z:");
        EXPECT_EQ(roots(drives), "c=" + home + "/.local/share/korvane/drive_c d=" + home +
                                     " e=/media/u/DEV f=/media/u/STICK z=/");
        EXPECT_TRUE(std::filesystem::is_directory(rootOf(drives, 'c')));
    }
    const std::string data = temp.root() + "/data";
    ScopedEnv dataEnv("XDG_DATA_HOME", data.c_str());
    const auto drives = DefaultDriveMap({});
    EXPECT_EQ(entries(drives), "c: d: z:");
    EXPECT_EQ(rootOf(drives, 'c'), data + "/korvane/drive_c");
    EXPECT_TRUE(std::filesystem::is_directory(rootOf(drives, 'c')));
}

TEST(DriveMap, RemovableVolumesAreLetteredFromEInTheOrderOfTheirMountPoints)
{
    const std::vector<DriveMapping> fixed = {
        {'c', "/k/c", ""}, {'d', "/home/u", ""}, {'z', "/", ""}};
    const std::vector<Volume> volumes = {
        {"/run/media/u/SD", "CARD", true},
        {"/media/u/TARVO", "TARVO", true},
        {"/mnt/backup", "BACKUP", false},  // a fixed disk: no drive
        {"/", "ROOT", true},               // booted from a stick: "/" is z: already
        {"/media/u/1234-ABCD", "", true},  // no label: the entry is the letter alone
        {"/media/u/TARVO", "TARVO", true}, // the same mount seen twice gets one letter
        {"", "BROKEN", true},
    };
    const auto drives = WithRemovableVolumes(fixed, volumes);
    EXPECT_EQ(entries(drives), "c: d: e: f: [TARVO] g: [CARD] z:");
    EXPECT_EQ(roots(drives), "c=/k/c d=/home/u e=/media/u/1234-ABCD f=/media/u/TARVO "
                             "g=/run/media/u/SD z=/");

    // The order the system lists its mounts in does not matter.
    std::vector<Volume> reversed(volumes.rbegin(), volumes.rend());
    EXPECT_EQ(entries(WithRemovableVolumes(fixed, reversed)), entries(drives));

    // No removable volume: no drive between d: and z:.
    EXPECT_EQ(entries(WithRemovableVolumes(fixed, {{"/mnt/backup", "BACKUP", false}})), "c: d: z:");

    // Twenty-one volumes fill e: to y:, z: stays the host root, the rest get no drive.
    std::vector<Volume> many;
    for (char name = 'A'; name <= 'Z'; ++name)
        many.push_back({std::string("/media/u/") + name, std::string(1, name), true});
    const auto full = WithRemovableVolumes(fixed, many);
    ASSERT_EQ(full.size(), 24u);
    EXPECT_EQ(rootOf(full, 'e'), "/media/u/A");
    EXPECT_EQ(rootOf(full, 'y'), "/media/u/U");
    EXPECT_EQ(rootOf(full, 'z'), "/");
}

TEST(DriveMap, KorvaneDrivesOverridesTheVolumesForTheWholeRun)
{
    int reads = 0;
    std::vector<Volume> volumes = {{"/media/u/TARVO", "TARVO", true}};
    const VolumeSource source = [&] {
        ++reads;
        return volumes;
    };
    std::string error;
    {
        ScopedEnv drivesEnv("KORVANE_DRIVES", "c=/srv/k/c;e=/srv/k/dev:DEV");
        const auto drives = DriveSource::FromEnvironment(source, error);
        ASSERT_TRUE(drives.has_value()) << error;
        EXPECT_EQ(entries(drives->Drives()), "c: e: [DEV]");
        volumes.push_back({"/media/u/STICK", "STICK", true});
        EXPECT_EQ(entries(drives->Refreshed(drives->Drives())), "c: e: [DEV]");
        EXPECT_EQ(reads, 0);
    }
    {
        ScopedEnv drivesEnv("KORVANE_DRIVES", "c=relative");
        EXPECT_FALSE(DriveSource::FromEnvironment(source, error).has_value());
        EXPECT_NE(error.find("absolute"), std::string::npos) << error;
    }
    {
        test::TempDrives temp("");
        ScopedEnv drivesEnv("KORVANE_DRIVES", nullptr);
        ScopedEnv homeEnv("HOME", temp.root().c_str());
        ScopedEnv dataEnv("XDG_DATA_HOME", nullptr);
        const auto drives = DriveSource::FromEnvironment(source, error);
        ASSERT_TRUE(drives.has_value()) << error;
        EXPECT_EQ(entries(drives->Drives()), "c: d: e: [STICK] f: [TARVO] z:");
        EXPECT_EQ(reads, 1);
    }
}

// A volume mounted or pulled out while the program runs shows or goes when a drive list is
// refreshed, not before; the volumes that stay keep their letters.
TEST(DriveMap, VolumesComeAndGoAtTheDriveListsNextRefresh)
{
    test::TempDrives temp("");
    temp.makeFolder("home");
    temp.makeFolder("media/TARVO/Tarvo_Calls");
    temp.makeFolder("media/AAA");
    temp.makeFolder("media/CARD");
    ScopedEnv drivesEnv("KORVANE_DRIVES", nullptr);
    ScopedEnv homeEnv("HOME", (temp.root() + "/home").c_str());
    ScopedEnv dataEnv("XDG_DATA_HOME", nullptr);

    std::vector<Volume> mounted = {{temp.root() + "/media/TARVO", "TARVO", true}};
    std::string error;
    const auto source = DriveSource::FromEnvironment([&] { return mounted; }, error);
    ASSERT_TRUE(source.has_value()) << error;
    Disk disk(source->Drives());
    disk.setDriveRefresh(
        [&](const std::vector<DriveMapping>& current) { return source->Refreshed(current); });
    DriveListBox Drive2("Drive2", disk);
    DriveListBox Drive1("Drive1", disk);
    int changes = 0;
    Drive2.onChange([&] { ++changes; });
    Drive2.setDrive("e");
    disk.ChDir("e:\\Tarvo_Calls");
    EXPECT_EQ(Drive2.entries(), (Names{"c:", "d:", "e: [TARVO]", "z:"}));
    EXPECT_EQ(changes, 1);

    // A stick whose mount point sorts first arrives: e: stays TARVO's, the stick takes f:.
    mounted.push_back({temp.root() + "/media/AAA", "AAA", true});
    EXPECT_EQ(Drive2.entries().size(), 4u) << "nothing changes before the refresh";
    Drive2.Refresh();
    EXPECT_EQ(Drive2.entries(), (Names{"c:", "d:", "e: [TARVO]", "f: [AAA]", "z:"}));
    EXPECT_EQ(Drive1.entries(), Drive2.entries()) << "both lists show the one disk's drives";
    EXPECT_EQ(Drive2.Drive(), "e: [TARVO]");
    EXPECT_EQ(disk.CurDir('e'), "e:\\Tarvo_Calls");

    // TARVO is pulled out and a card comes in: the card takes the free e:, which starts at
    // its root; f: stays the stick's. The chosen drive keeps its entry; no change is raised.
    mounted.erase(mounted.begin());
    mounted.push_back({temp.root() + "/media/CARD", "CARD", true});
    Drive1.Refresh();
    EXPECT_EQ(Drive1.entries(), (Names{"c:", "d:", "e: [CARD]", "f: [AAA]", "z:"}));
    EXPECT_EQ(disk.CurDir('e'), "e:\\");
    EXPECT_EQ(rootOf(disk.Drives(), 'e'), temp.root() + "/media/CARD");
    EXPECT_EQ(changes, 1);

    // A new label shows at the next refresh, in the chosen drive's entry too.
    Drive2.setDrive("f");
    mounted.back().label = "PHOTOS";
    mounted[0].label = "SOUNDS";
    Drive2.Refresh();
    EXPECT_EQ(Drive2.Drive(), "f: [SOUNDS]");
    EXPECT_EQ(Drive2.entries(), (Names{"c:", "d:", "e: [PHOTOS]", "f: [SOUNDS]", "z:"}));

    // All pulled out: only the fixed drives are left.
    mounted.clear();
    Drive2.Refresh();
    EXPECT_EQ(Drive2.entries(), (Names{"c:", "d:", "z:"}));
    EXPECT_THROW(disk.ChDrive("f"), PlatformError);
}

} // namespace
} // namespace korvane
