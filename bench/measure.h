// What every benchmark row needs: timing a piece of work several times, running a program and
// measuring it from the outside, and the one table the rows end up in.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace korvane::bench {

// One line of the table: Korvane's figure against its baseline's, lower is better for both.
struct Row {
    std::string what;
    std::string korvaneName;
    double korvane = 0;
    std::string baselineName;
    double baseline = 0;
    std::string unit;  // "ms" or "MB"
    double target = 0; // the largest acceptable ratio
};

double Median(std::vector<double> values);

// Milliseconds of work, the median of rounds runs; prepare runs untimed before each.
double MedianMilliseconds(int rounds, const std::function<void()>& work,
                          const std::function<void()>& prepare = {});

// The medians of both pieces of work, run in turns so that a change in the machine's load
// falls on both alike; prepare runs untimed before each.
std::pair<double, double> MedianMillisecondsInTurns(int rounds,
                                                    const std::function<void()>& korvane,
                                                    const std::function<void()>& baseline,
                                                    const std::function<void()>& prepare = {});

struct ProcessRun {
    double milliseconds = 0;  // from the start of the process to its exit
    double peakMegabytes = 0; // its peak resident memory
    int status = -1;
};

// Runs program with its arguments in folder with extra environment variables
// ("NAME=value"), its output thrown away.
ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& folder,
                      const std::vector<std::string>& environment);

// The table of every row, each measured one or more times: each figure the median of its
// runs', the ratio the median of theirs with the lowest and the highest beside it.
void PrintTable(const std::vector<std::vector<Row>>& runsOfEachRow);

// A fresh temporary folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace korvane::bench
