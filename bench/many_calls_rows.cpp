// Thousands of short calls, in the real window: an upload of 2,500 calls of 40 KB against cp,
// the same upload of 500 against 2,500 (linear is 5x), and (groups of their own) "Yes", Reset
// and Add beside a folder of 10,000 calls, each against the least a program must do for the
// same result.
#include "rows.h"

#include "real_window.h"
#include "window_pauses.h"

#include "device/layout.h"

#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane::bench {

namespace {

constexpr int kUploadRounds = 3;
constexpr int kFolderRounds = 3;
constexpr std::size_t kCallBytes = 40 * 1024;
constexpr int kLargeFolder = 10000;

std::string CallName(int number)
{
    return "call" + std::to_string(number) + ".mp3";
}

// The sound folder of an upload: calls of kCallBytes, the ten playlists, the companions and
// the extra recordings.
void WriteSoundFolder(const test::TempDrives& drives, const std::string& folder, int calls)
{
    const std::string call(kCallBytes, 'x');
    for (int i = 0; i < calls; ++i)
        drives.writeFile(folder + "\\" + CallName(i), call);
    for (int n = 0; n <= 9; ++n)
        drives.writeFile(folder + "\\" + PlaylistName(n), "call1.mp3\r\ncall2.mp3");
    for (std::string_view companion : kCompanionFiles)
        drives.writeFile(folder + "\\" + std::string(companion), companion);
    for (const RenamedCopy& extra : kExtraRecordings)
        drives.writeFile(folder + "\\" + std::string(extra.destination), extra.destination);
}

// Reads every file of folder back from the medium: its cached pages, clean after a sync, are
// dropped first. Milliseconds.
double ReadBackUncached(const fs::path& folder)
{
    return MedianMilliseconds(1, [&] {
        std::vector<char> buffer(1 << 16);
        for (const auto& entry : fs::directory_iterator(folder)) {
            const int in = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
            if (in < 0)
                throw std::runtime_error("cannot read back " + entry.path().string());
            ::posix_fadvise(in, 0, 0, POSIX_FADV_DONTNEED);
            while (::read(in, buffer.data(), buffer.size()) > 0) {
            }
            ::close(in);
        }
    });
}

struct UploadFigures {
    double upload = 0;
    double copy = 0; // cp + sync -f + read back, when asked for
};

UploadFigures MeasureUpload(int calls, bool withCopy)
{
    RealWindow w("cde");
    test::WriteKit(w.drives, "d:\\kit");
    WriteSoundFolder(w.drives, "d:\\kit\\Tarvo_Calls", calls);
    Form1& f = w.start("d:\\kit");
    f.Command1.click();
    f.Command7.click();
    RealWindow::settle();
    const fs::path source = w.drives.hostPath("d/kit/Tarvo_Calls");

    std::vector<double> uploads;
    long long longestPause = 0;
    std::vector<double> copies;
    for (int round = 0; round < kUploadRounds; ++round) {
        const std::string folder = "up" + std::to_string(round);
        w.drives.makeFolder("e/" + folder);
        RunProcess({"sync"}, "", {});
        w.boxes.answers = {kAnswerYes};
        w.picker.picks = {"e:\\" + folder};
        w.boxes.shown.clear();
        long long pause = 0;
        uploads.push_back(MedianMilliseconds(
            1, [&] { pause = LongestPauseMilliseconds([&] { f.Command18.click(); }); }));
        longestPause = std::max(longestPause, pause);
        const auto prompts = w.boxes.prompts();
        const std::string last = "e/" + folder + "/" + CallName(calls - 1);
        if (std::find(prompts.begin(), prompts.end(), "        Upload Complete !") ==
                prompts.end() ||
            fs::file_size(w.drives.hostPath(last)) != kCallBytes)
            throw std::runtime_error("the upload of " + std::to_string(calls) +
                                     " calls did not complete");
        fs::remove_all(w.drives.hostPath("e/" + folder));
        if (!withCopy)
            continue;

        const fs::path copyTo = w.drives.hostPath("e/cp" + std::to_string(round));
        fs::create_directories(copyTo);
        RunProcess({"sync"}, "", {});
        const ProcessRun cp = RunProcess({"sh", "-c",
                                          "cp " + (source / "*").string() + " " + copyTo.string() +
                                              " && sync -f " + copyTo.string()},
                                         "", {});
        if (cp.status != 0)
            throw std::runtime_error("cp failed");
        copies.push_back(cp.milliseconds + ReadBackUncached(copyTo));
        fs::remove_all(copyTo);
    }
    std::cerr << "upload of " << calls << " calls: longest pause of the window " << longestPause
              << " ms\n";
    return {Median(uploads), withCopy ? Median(copies) : 0};
}

// The factory files as the kit holds them, by host path.
std::string KitFiles(const fs::path& kit)
{
    std::string files;
    for (const FactoryCopy& copy : FactoryCallSet("x")) {
        const std::string source = (kit / copy.source).string();
        if (files.find(source + " ") == std::string::npos)
            files += source + " ";
    }
    return files;
}

// "Yes" making and filling Tarvo_Calls in a folder of 10,000 calls that is also the kit,
// against ls of that folder, mkdir, one cp of the factory files and a flush of their volume.
Row FillRow()
{
    RealWindow w("cd");
    test::WriteKit(w.drives, "d:\\big");
    for (int i = 0; i < kLargeFolder; ++i)
        w.drives.writeFile("d:\\big\\" + CallName(i), CallName(i));
    const fs::path big = w.drives.hostPath("d/big");
    std::vector<double> fills;
    std::vector<double> copies;
    for (int round = 0; round < kFolderRounds; ++round) {
        fs::remove_all(big / "Tarvo_Calls");
        Form1& f = w.start("d:\\big");
        f.Command1.click();
        f.Dir2.userOpen("d:\\big");
        RealWindow::settle();
        RunProcess({"sync"}, "", {});
        fills.push_back(MedianMilliseconds(1, [&] {
            f.Command7.click();
            RealWindow::settle();
        }));
        if (!fs::exists(big / "Tarvo_Calls" / "T.txt"))
            throw std::runtime_error("Yes did not fill the new folder");

        // The fill is durable: its floor flushes the copies too. And "Yes" reads the folder of
        // 10,000 once, as its floor does: the window lists it, and a sound folder there in
        // another case is found only by reading every name.
        const fs::path copyTo = big / "Copy_Calls";
        RunProcess({"sync"}, "", {});
        const ProcessRun cp = RunProcess({"sh", "-c",
                                          "ls " + big.string() + " > /dev/null && mkdir " +
                                              copyTo.string() + " && cp " + KitFiles(big) +
                                              copyTo.string() + " && sync -f " + copyTo.string()},
                                         "", {});
        if (cp.status != 0)
            throw std::runtime_error("cp of the factory files failed");
        copies.push_back(cp.milliseconds);
        fs::remove_all(copyTo);
    }
    return {"\"Yes\" fills a new folder beside 10,000 calls",
            "Yes (make + fill + show)",
            Median(fills),
            "ls + mkdir + one cp of the factory files + sync -f",
            Median(copies),
            "ms",
            2};
}

// A window confirmed on d:\work\Tarvo_Calls, which holds 10,000 calls; the kit is d:\kit.
Form1& ConfirmLargeFolder(RealWindow& w)
{
    Form1& f = w.start("d:\\kit");
    f.Command1.click();
    f.Dir2.userOpen("d:\\work");
    f.Command7.click();
    RealWindow::settle();
    return f;
}

void WriteLargeFolder(const test::TempDrives& drives)
{
    for (int i = 0; i < kLargeFolder; ++i)
        drives.writeFile("d:\\work\\Tarvo_Calls\\" + CallName(i), CallName(i));
}

// Reset of a folder of 10,000 calls: every call deleted, the factory files copied back;
// against rm of the calls and one cp of the factory files.
Row ResetRow()
{
    RealWindow w("cd");
    test::WriteKit(w.drives, "d:\\kit");
    test::WriteKit(w.drives, "d:\\work\\Tarvo_Calls");
    const fs::path sounds = w.drives.hostPath("d/work/Tarvo_Calls");
    std::vector<double> resets;
    std::vector<double> copies;
    for (int round = 0; round < kFolderRounds; ++round) {
        WriteLargeFolder(w.drives);
        Form1& f = ConfirmLargeFolder(w);
        if (f.File2.ListCount() < kLargeFolder || !f.Command2.Enabled())
            throw std::runtime_error("the large folder was not confirmed");
        RunProcess({"sync"}, "", {});
        w.boxes.answers = {kAnswerYes, kAnswerYes};
        resets.push_back(MedianMilliseconds(1, [&] {
            f.Command2.click();
            RealWindow::settle();
        }));
        if (fs::exists(sounds / CallName(0)) || !fs::exists(sounds / "T.txt"))
            throw std::runtime_error("Reset did not empty and refill the folder");

        WriteLargeFolder(w.drives);
        RunProcess({"sync"}, "", {});
        const ProcessRun rmCp = RunProcess({"sh", "-c",
                                            "cd " + sounds.string() + " && rm call*.mp3 && cp " +
                                                KitFiles(w.drives.hostPath("d/kit")) + "."},
                                           "", {});
        if (rmCp.status != 0 || fs::exists(sounds / CallName(0)))
            throw std::runtime_error("rm + cp failed");
        copies.push_back(rmCp.milliseconds);
    }
    return {"Reset of a folder of 10,000 calls",
            "Reset (delete all + fill)",
            Median(resets),
            "rm of the calls + one cp of the factory files",
            Median(copies),
            "ms",
            2};
}

// Add of one call into a folder of 10,000, against cp of the call, a flush of the copy and of
// its folder (Add's copy is flushed before it takes its name, then its folder) and ls of the
// folder (the listing the window shows afterwards).
Row AddRow()
{
    RealWindow w("cd");
    test::WriteKit(w.drives, "d:\\kit");
    test::WriteKit(w.drives, "d:\\work\\Tarvo_Calls");
    WriteLargeFolder(w.drives);
    w.drives.writeFile("d:\\new\\added.mp3", std::string(kCallBytes, 'x'));
    Form1& f = ConfirmLargeFolder(w);
    const fs::path added = w.drives.hostPath("d/work/Tarvo_Calls/added.mp3");
    auto add = [&] {
        w.picker.picks = {"d:\\new\\added.mp3"};
        f.Command4.click();
        RealWindow::settle();
        if (!fs::exists(added))
            throw std::runtime_error("Add did not copy the call");
        fs::remove(added);
    };
    add(); // the first Add also sums the folder once for the free space
    std::vector<double> adds;
    std::vector<double> copies;
    const std::string sounds = w.drives.hostPath("d/work/Tarvo_Calls");
    for (int round = 0; round < kFolderRounds * 3; ++round) {
        RunProcess({"sync"}, "", {});
        adds.push_back(MedianMilliseconds(1, add));
        RunProcess({"sync"}, "", {});
        const ProcessRun cp =
            RunProcess({"sh", "-c",
                        "cp " + w.drives.hostPath("d/new/added.mp3") + " " + sounds + " && sync " +
                            added.string() + " " + sounds + " && ls " + sounds + " > /dev/null"},
                       "", {});
        if (cp.status != 0)
            throw std::runtime_error("cp failed");
        copies.push_back(cp.milliseconds);
        fs::remove(added);
    }
    return {"Add of one call into a folder of 10,000",
            "Add (copy + show)",
            Median(adds),
            "cp of the call + sync of it and its folder + ls of the folder",
            Median(copies),
            "ms",
            2};
}

} // namespace

std::vector<Row> ManyCallsRows()
{
    const UploadFigures large = MeasureUpload(2500, true);
    const UploadFigures small = MeasureUpload(500, false);
    return {
        {"upload 2,500 calls of 40 KB (100 MB)", "Upload, flushed", large.upload,
         "cp + sync -f + read back uncached", large.copy, "ms", 1.5},
        {"upload of 2,500 calls against 500", "Upload of 2,500", large.upload, "Upload of 500",
         small.upload, "ms", 6},
    };
}

std::vector<Row> LargeFolderRows()
{
    return {FillRow(), AddRow()};
}

std::vector<Row> ResetRows()
{
    return {ResetRow()};
}

} // namespace korvane::bench
