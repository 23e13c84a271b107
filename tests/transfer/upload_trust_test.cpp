// An upload the user can unplug the player after: the room it needs counted as the volume
// counts it, and a player pulled out after any number of copies holds whole files only; run to
// its end, the player holds exactly what every copy would have left, though copies that would
// rewrite what a file already received are skipped.
#include "support/window_harness.h"

#include "device/layout.h"
#include "sys/errors.h"
#include "transfer/upload_room.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

TEST(UploadRoom, NewFilesCountWholeClustersAndReplacedFilesOnlyTheirGrowth)
{
    TempDrives drives("de");
    Disk disk = drives.disk();
    drives.writeFile("d:\\s\\new.mp3", std::string(1000, 'n'));   // 2 clusters of 512
    drives.writeFile("d:\\s\\grown.mp3", std::string(1500, 'g')); // 3 clusters, was 1
    drives.writeFile("d:\\s\\shrunk.mp3", "s");                   // 1 cluster, was 4
    drives.writeFile("d:\\s\\empty.txt", "");
    drives.writeFile("e:\\p\\GROWN.MP3", std::string(100, 'o'));
    drives.writeFile("e:\\p\\shrunk.mp3", std::string(2000, 'o'));
    const std::vector<UploadCopy> copies = {
        {"d:\\s\\new.mp3", "e:\\p\\new.mp3"},
        {"d:\\s\\grown.mp3", "e:\\p\\grown.mp3"}, // the player's GROWN.MP3, in another case
        {"d:\\s\\shrunk.mp3", "e:\\p\\shrunk.mp3"},
        {"d:\\s\\empty.txt", "e:\\p\\empty.txt"},
        {"d:\\s\\missing.mp3", "e:\\p\\missing.mp3"},
    };
    EXPECT_EQ(BytesAdded(disk, copies, 512), 2 * 512 + 2 * 512);
    // Without a cluster size the bytes themselves count.
    EXPECT_EQ(BytesAdded(disk, copies, 0), 1000 + 1400);
    // A later copy to the same file replaces the earlier one instead of adding to it.
    std::vector<UploadCopy> twice = copies;
    twice.push_back({"d:\\s\\shrunk.mp3", "e:\\p\\NEW.mp3"});
    EXPECT_EQ(BytesAdded(disk, twice, 512), 1 * 512 + 2 * 512);
}

// The wording itself is in the upload-no-room and upload-verify-fails scenarios.
TEST(UploadRoom, LargeSizesAlsoShowMegabytesAndWithEveryFileDifferingNoOthersAreNamed)
{
    const std::string noRoom = NoRoomMessage(18009088, 16721920);
    EXPECT_NE(noRoom.find("18,009,088 bytes (17.2 MB)"), std::string::npos);
    EXPECT_NE(noRoom.find("16,721,920 bytes (15.9 MB) free"), std::string::npos);
    EXPECT_EQ(DifferingFilesMessage({"e:\\p\\a.mp3"}, 1).find("other files"), std::string::npos);
}

class PulledOut : public ::testing::Test {
protected:
    PulledOut() : w("cde")
    {
        WriteKit(w.drives, "d:\\kit");
        const std::string s = "d:\\kit\\Tarvo_Calls\\";
        // A call named like an extra recording, which the recording replaces on the player.
        for (const char* call : {"Taps.mp3", "reveille.mp3", "zulu.mp3", "bt1_orig.mp3"})
            sources[call] = std::string(3000, call[0]) + call;
        for (int n = 0; n <= 9; ++n)
            sources[PlaylistName(n)] = "list " + std::to_string(n);
        for (std::string_view name : kCompanionFiles)
            sources[std::string(name)] = "new " + std::string(name);
        for (const auto& [name, bytes] : sources)
            w.drives.writeFile(s + name, bytes);
        for (const RenamedCopy& extra : kExtraRecordings) {
            w.drives.writeFile(s + std::string(extra.destination), extra.destination);
            sources[std::string(extra.source)] = std::string(extra.destination);
        }
        Form1& f = w.start("d:\\kit");
        f.Command1.click();
        f.Command7.click();
    }

    // The player holds an older version of every file the upload writes, Taps.mp3 under a name
    // in another case, which the upload keeps.
    static std::string onPlayer(const std::string& name)
    {
        return name == "Taps.mp3" ? "TAPS.MP3" : name;
    }
    void fillPlayer()
    {
        fs::remove_all(w.drives.hostPath("e:\\p"));
        for (const auto& [name, bytes] : sources)
            w.drives.writeFile("e:\\p\\" + onPlayer(name), "old " + name);
    }

    std::map<std::string, std::string> sources; // name on the player -> what the upload writes
    WindowHarness w;
};

// How many files a list of the box names, from its heading to the next line not indented.
int namedIn(const std::string& box, const std::string& heading)
{
    std::size_t at = box.find(heading);
    if (at == std::string::npos)
        return 0;
    int count = 0;
    for (at += heading.size(); box.compare(at, 6, "\r\n    ") == 0;) {
        at += 6;
        const std::size_t end = std::min(box.find("\r\n", at), box.size());
        const std::string entry = box.substr(at, end - at);
        count += entry.starts_with("and ") ? std::stoi(entry.substr(4)) : 1;
        at = end;
    }
    return count;
}

TEST_F(PulledOut, AfterAnyNumberOfStepsThePlayerHoldsAllOldOrWholeFilesTheBoxNames)
{
    bool completed = false;
    bool mixed = false;
    for (int after = 0; !completed; ++after) {
        ASSERT_LE(after, 60) << "the upload never completes";
        fillPlayer();
        int steps = 0;
        w.disk.setFaultHook([&](std::string_view op, const std::string& path) {
            if ((op == "copy" || op == "rename") && ++steps > after)
                throw PlatformError("copy to", path, "No such device");
        });
        w.boxes.answers = {kAnswerYes};
        w.picker.picks = {"e:\\p"};
        w.form().Command18.click();
        w.disk.setFaultHook(nullptr);

        const std::string last = w.boxes.prompts().back();
        completed = last == "        Upload Complete !";
        const bool untouched =
            last.find("\r\nNothing on the player was changed.") != std::string::npos;
        int renewed = 0;
        for (const auto& [name, newBytes] : sources) {
            const std::string bytes = w.drives.readFile("e:\\p\\" + onPlayer(name));
            EXPECT_TRUE(bytes == "old " + name || bytes == newBytes) << name << " " << after;
            renewed += bytes == newBytes;
        }
        // Nothing beside them: no temporary file, no second file in another case.
        EXPECT_EQ(std::distance(fs::directory_iterator(w.drives.hostPath("e:\\p")), {}),
                  static_cast<std::ptrdiff_t>(sources.size()))
            << "after " << after;
        if (completed) {
            EXPECT_EQ(renewed, static_cast<int>(sources.size()));
        } else if (untouched) {
            EXPECT_EQ(renewed, 0) << "after " << after;
        } else {
            mixed = true;
            EXPECT_EQ(namedIn(last, "These files hold the new copy:"), renewed) << last;
            EXPECT_EQ(namedIn(last, "These are as they were before the upload:") + renewed,
                      static_cast<int>(sources.size()))
                << last;
        }
    }
    EXPECT_TRUE(mixed) << "no step fell among the renames";
}

TEST_F(PulledOut, APlayerThatCannotHoldEveryCopyBesideItsFileNamesThemInBatchesThatFit)
{
    fillPlayer();
    // The calls grow by five clusters each; all copies staged at once would take 37.
    w.disk.setSpaceHook([](const std::string&) { return VolumeSpace{25 * 512, 512}; });
    std::vector<std::string> steps;
    w.disk.setFaultHook([&](std::string_view op, const std::string&) {
        if (op == "copy" || op == "rename")
            steps.emplace_back(op);
    });
    w.boxes.answers = {kAnswerYes};
    w.picker.picks = {"e:\\p"};
    w.form().Command18.click();
    w.disk.setFaultHook(nullptr);
    w.disk.setSpaceHook(nullptr);

    EXPECT_EQ(w.boxes.prompts().back(), "        Upload Complete !");
    const auto firstRename = std::find(steps.begin(), steps.end(), "rename");
    EXPECT_NE(std::find(firstRename, steps.end(), "copy"), steps.end())
        << "some copies were named before others were written";
    for (const auto& [name, bytes] : sources)
        EXPECT_EQ(w.drives.readFile("e:\\p\\" + onPlayer(name)), bytes) << name;
}

} // namespace
} // namespace korvane::test
