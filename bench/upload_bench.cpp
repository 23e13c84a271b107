// Uploading 100 MB in 40 calls through the window's Upload, against `cp` of the same files on
// the same machine followed by `sync -f` (Upload ends with the data on the medium, so that its
// message means the device may be unplugged). Prints the times and their ratio.
#include "support/window_harness.h"

#include "device/layout.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace korvane;
using namespace korvane::test;

namespace {

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void DropCaches()
{
    // Best effort; without root the page cache stays warm for both runs alike.
    std::system("sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null");
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    WindowHarness w("cde");
    WriteKit(w.drives, "d:\\kit");
    const std::string s = "d:\\kit\\Tarvo_Calls\\";
    const std::string chunk(104857600 / 40, 'x');
    for (int i = 0; i < 40; ++i)
        w.drives.writeFile(s + "call" + std::to_string(i) + ".mp3", chunk);
    for (int n = 0; n <= 9; ++n)
        w.drives.writeFile(s + PlaylistName(n), "call1.mp3\r\ncall2.mp3");
    for (const char* name : {"L.txt", "S.txt", "T.txt", "bt1_orig.hd3", "bt2_orig.hd3"})
        w.drives.writeFile(s + name, name);
    Form1& f = w.start("d:\\kit");
    f.Command1.click();
    f.Command7.click();

    double best_upload = 1e9;
    double best_cp = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const std::string to = "e:\\up" + std::to_string(round);
        w.drives.makeFolder(to);
        DropCaches();
        w.boxes.answers = {kAnswerYes};
        w.picker.picks = {to};
        auto t0 = std::chrono::steady_clock::now();
        f.Command18.click();
        best_upload = std::min(best_upload, Seconds(std::chrono::steady_clock::now() - t0));

        const std::string cpTo = w.drives.hostPath("e/cp" + std::to_string(round));
        std::filesystem::create_directories(cpTo);
        DropCaches();
        const std::string command =
            "cp " + w.drives.hostPath("d/kit/Tarvo_Calls") + "/* " + cpTo + " && sync -f " + cpTo;
        t0 = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return 1;
        best_cp = std::min(best_cp, Seconds(std::chrono::steady_clock::now() - t0));
    }
    std::printf("upload %.3f s, cp %.3f s, ratio %.2f\n", best_upload, best_cp,
                best_upload / best_cp);
    return 0;
}
