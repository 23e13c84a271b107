// Start-up: korvane and a minimal Qt Widgets window, both built here, each started ten times
// (in turns, after one warm-up start each) on the offscreen platform until its window has
// painted; the median of the times and of the peak resident memories.
#include "rows.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace korvane::bench {

namespace {

constexpr int kStarts = 10;

struct Starts {
    std::vector<double> milliseconds;
    std::vector<double> megabytes;
};

void Start(const std::string& program, const std::string& folder,
           const std::vector<std::string>& environment, Starts& into)
{
    const ProcessRun run = RunProcess({program}, folder, environment);
    if (run.status != 0)
        throw std::runtime_error(program + " did not show its window");
    into.milliseconds.push_back(run.milliseconds);
    into.megabytes.push_back(run.peakMegabytes);
}

} // namespace

std::vector<Row> StartRows()
{
    // korvane starts in a folder holding the factory kit, as a user would start it: nothing
    // to fill, no box, the window in its usual first state.
    const TempFolder temp;
    const fs::path root = temp.path();
    fs::create_directories(root / "c");
    fs::create_directories(root / "d" / "work");
    for (const auto& entry : fs::directory_iterator(KORVANE_KIT_DIR))
        fs::copy_file(entry.path(), root / "d" / "work" / entry.path().filename());
    const std::vector<std::string> environment = {
        "QT_QPA_PLATFORM=offscreen", "KORVANE_EXIT_WHEN_SHOWN=1",
        "KORVANE_DRIVES=c=" + (root / "c").string() + ";d=" + (root / "d").string()};
    const std::string folder = (root / "d" / "work").string();

    Starts korvane;
    Starts minimal;
    Starts warmUp;
    Start(KORVANE_PROGRAM, folder, environment, warmUp);
    Start(KORVANE_MINIMAL_WINDOW, folder, environment, warmUp);
    for (int round = 0; round < kStarts; ++round) {
        Start(KORVANE_PROGRAM, folder, environment, korvane);
        Start(KORVANE_MINIMAL_WINDOW, folder, environment, minimal);
    }
    return {
        {"start to the window shown, median of 10", "korvane", Median(korvane.milliseconds),
         "one-label Qt window", Median(minimal.milliseconds), "ms", 1.3},
        {"memory when shown (peak RSS)", "korvane", Median(korvane.megabytes),
         "one-label Qt window", Median(minimal.megabytes), "MB", 1.3},
    };
}

} // namespace korvane::bench
