// Upload skips copies that would rewrite what a destination file already received, yet the
// device must end exactly as if every copy had been made.
#include "support/window_harness.h"

#include "device/layout.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> Tree(const TempDrives& drives, const std::string& host)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(host))
        files[entry.path().filename().string()] =
            drives.readFile(fs::relative(entry.path(), drives.root()).string());
    return files;
}

// Every copy of the upload, one after the other, as the device receives them.
void CopyEverything(Disk& disk, const std::string& source, const std::vector<std::string>& calls,
                    const std::string& destination)
{
    for (const std::string& call : calls) {
        disk.FileCopy(source + "\\" + call, destination + "\\" + call);
        for (int k = 0; k <= 9; ++k)
            disk.FileCopy(source + "\\" + PlaylistName(k), destination + "\\" + PlaylistName(k));
        for (std::string_view companion : kCompanionFiles)
            disk.FileCopy(source + "\\" + std::string(companion),
                          destination + "\\" + std::string(companion));
        for (const RenamedCopy& extra : kExtraRecordings)
            disk.FileCopy(source + "\\" + std::string(extra.destination),
                          destination + "\\" + std::string(extra.source));
    }
}

class Upload : public ::testing::Test {
protected:
    Upload() : w("cde")
    {
        WriteKit(w.drives, "d:\\kit");
        const std::string s = "d:\\kit\\Tarvo_Calls\\";
        for (int n = 0; n <= 9; ++n)
            w.drives.writeFile(s + PlaylistName(n), "list " + std::to_string(n));
        for (std::string_view name : {"L.txt", "S.txt", "T.txt"})
            w.drives.writeFile(s + std::string(name), name);
        w.drives.writeFile(s + "bt1_orig.hd3", "chime up");
        w.drives.writeFile(s + "bt2_orig.hd3", "chime down");
        // Calls whose names meet the extra recordings', exactly and in other letter case.
        w.drives.writeFile(s + "bt1_orig.mp3", "a call named like a recording");
        w.drives.writeFile(s + "BT2_ORIG.mp3", "another one");
        w.drives.writeFile(s + "Taps.mp3", "taps");
        w.drives.writeFile(s + "zulu.mp3", "zulu");
        w.drives.makeFolder("e:\\a");
        w.drives.makeFolder("e:\\b");
        // The device already holds a file that differs only in case from one uploaded.
        w.drives.writeFile("e:\\a\\TAPS.MP3", "old");
        w.drives.writeFile("e:\\b\\TAPS.MP3", "old");
    }

    void upload(const std::string& destination)
    {
        Form1& f = w.start("d:\\kit");
        f.Command1.click();
        f.Command7.click();
        w.boxes.answers = {kAnswerYes};
        w.picker.picks = {destination};
        f.Command18.click();
    }

    WindowHarness w;
};

TEST_F(Upload, TheDeviceEndsAsIfEveryCopyHadBeenMade)
{
    upload("e:\\a");
    CopyEverything(w.disk, "d:\\kit\\Tarvo_Calls",
                   {"bt1_orig.mp3", "BT2_ORIG.mp3", "Taps.mp3", "zulu.mp3"}, "e:\\b");
    EXPECT_EQ(Tree(w.drives, w.drives.host('e') + "/a"), Tree(w.drives, w.drives.host('e') + "/b"));
    EXPECT_EQ(w.drives.readFile("e:\\a\\bt1_orig.mp3"), "chime up");
    EXPECT_EQ(w.drives.readFile("e:\\a\\TAPS.MP3"), "taps");
    EXPECT_EQ(w.boxes.prompts().back(), "        Upload Complete !");
}

} // namespace
} // namespace korvane::test
