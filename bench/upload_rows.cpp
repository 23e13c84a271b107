// Uploading 100 MB in 40 calls, with the ten playlists and the companion files, through the
// real window's Upload, against cp of the same sound folder followed by sync -f and a cmp of
// each copy with its source after dropping the copy's cached pages: the upload puts the data on
// the medium and reads it back from there before it says "Upload Complete !", so the baseline
// does too.
#include "rows.h"

#include "real_window.h"
#include "window_pauses.h"

#include "device/layout.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace korvane::bench {

namespace {

constexpr int kRounds = 9;
constexpr int kCalls = 40;
constexpr std::size_t kUploadBytes = 104857600;

// Writes out what earlier rounds left dirty, so no round pays for another.
void SettleDisk()
{
    RunProcess({"sync"}, "", {});
}

} // namespace

std::vector<Row> UploadRows()
{
    RealWindow w("cde");
    test::WriteKit(w.drives, "d:\\kit");
    const std::string sounds = "d:\\kit\\Tarvo_Calls\\";
    const std::string call(kUploadBytes / kCalls, 'x');
    for (int i = 0; i < kCalls; ++i)
        w.drives.writeFile(sounds + "call" + std::to_string(i) + ".mp3", call);
    for (int n = 0; n <= 9; ++n)
        w.drives.writeFile(sounds + PlaylistName(n), "call1.mp3\r\ncall2.mp3");
    for (std::string_view companion : kCompanionFiles)
        w.drives.writeFile(sounds + std::string(companion), companion);
    for (const RenamedCopy& extra : kExtraRecordings)
        w.drives.writeFile(sounds + std::string(extra.destination), extra.destination);
    Form1& f = w.start("d:\\kit");
    f.Command1.click();
    f.Command7.click();
    RealWindow::settle();
    const fs::path source = w.drives.hostPath("d/kit/Tarvo_Calls");

    std::vector<double> uploads;
    long long longestPause = 0;
    std::vector<double> copies;
    for (int round = 0; round < kRounds; ++round) {
        const std::string to = "e:\\up" + std::to_string(round);
        w.drives.makeFolder(to);
        SettleDisk();
        w.boxes.answers = {kAnswerYes};
        w.picker.picks = {to};
        w.boxes.shown.clear();
        long long pause = 0;
        uploads.push_back(MedianMilliseconds(
            1, [&] { pause = LongestPauseMilliseconds([&] { f.Command18.click(); }); }));
        longestPause = std::max(longestPause, pause);
        const auto prompts = w.boxes.prompts();
        if (std::find(prompts.begin(), prompts.end(), "        Upload Complete !") ==
                prompts.end() ||
            fs::file_size(w.drives.hostPath("e/up" + std::to_string(round) + "/call39.mp3")) !=
                call.size())
            throw std::runtime_error("the upload did not complete");
        fs::remove_all(w.drives.hostPath("e/up" + std::to_string(round)));

        const fs::path copyTo = w.drives.hostPath("e/cp" + std::to_string(round));
        fs::create_directories(copyTo);
        SettleDisk();
        const std::string command =
            "cp " + (source / "*").string() + " " + copyTo.string() + " && sync -f " +
            copyTo.string() + " && for f in " + copyTo.string() +
            "/*; do dd if=\"$f\" iflag=nocache count=0 status=none && cmp \"$f\" " +
            source.string() + "/\"${f##*/}\" || exit 1; done";
        const ProcessRun cp = RunProcess({"sh", "-c", command}, "", {});
        if (cp.status != 0)
            throw std::runtime_error("cp failed");
        copies.push_back(cp.milliseconds);
        fs::remove_all(copyTo);
    }
    std::cerr << "upload of 100 MB: longest pause of the window " << longestPause << " ms\n";
    return {{"upload 100 MB in 40 calls + companions", "Upload, durable + read back",
             Median(uploads), "cp + sync -f + uncached cmp", Median(copies), "ms", 1.2}};
}

} // namespace korvane::bench
