#include "measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace korvane::bench {

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::string Figure(double value, const std::string& unit)
{
    char text[32];
    std::snprintf(text, sizeof text, value < 10 ? "%.2f %s" : "%.1f %s", value, unit.c_str());
    return text;
}

} // namespace

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianMilliseconds(int rounds, const std::function<void()>& work,
                          const std::function<void()>& prepare)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        if (prepare)
            prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(MillisecondsSince(start));
    }
    return Median(times);
}

std::pair<double, double> MedianMillisecondsInTurns(int rounds,
                                                    const std::function<void()>& korvane,
                                                    const std::function<void()>& baseline,
                                                    const std::function<void()>& prepare)
{
    std::vector<double> korvaneTimes;
    std::vector<double> baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        korvaneTimes.push_back(MedianMilliseconds(1, korvane, prepare));
        baselineTimes.push_back(MedianMilliseconds(1, baseline, prepare));
    }
    return {Median(korvaneTimes), Median(baselineTimes)};
}

ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& folder,
                      const std::vector<std::string>& environment)
{
    std::vector<std::string> variables = environment;
    for (char** entry = environ; *entry; ++entry)
        variables.emplace_back(*entry); // the first of two same names wins
    std::vector<char*> env;
    for (std::string& variable : variables)
        env.push_back(variable.data());
    env.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> arg;
    for (std::string& a : args)
        arg.push_back(a.data());
    arg.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, arg[0], &actions, nullptr, arg.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    struct rusage usage {};
    if (::wait4(pid, &run.status, 0, &usage) != pid)
        throw std::runtime_error("lost " + argv[0]);
    run.milliseconds = MillisecondsSince(start);
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return run;
}

void PrintTable(const std::vector<std::vector<Row>>& runsOfEachRow)
{
    std::vector<std::vector<std::string>> cells = {
        {"what", "Korvane", "baseline", "ratio", "target", "met"}};
    for (const std::vector<Row>& runs : runsOfEachRow) {
        Row row = runs.front();
        std::vector<double> korvane, baseline, ratios;
        for (const Row& run : runs) {
            korvane.push_back(run.korvane);
            baseline.push_back(run.baseline);
            ratios.push_back(run.baseline > 0 ? run.korvane / run.baseline : 0);
        }
        row.korvane = Median(korvane);
        row.baseline = Median(baseline);
        const double ratio = Median(ratios);
        char number[64];
        std::snprintf(number, sizeof number, "%.2f", ratio);
        std::string ratioText = number;
        if (ratios.size() > 1) {
            const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
            std::snprintf(number, sizeof number, " (%.2f-%.2f)", *low, *high);
            ratioText += number;
        }
        std::snprintf(number, sizeof number, "<= %.1f", row.target);
        cells.push_back({row.what, row.korvaneName + " " + Figure(row.korvane, row.unit),
                         row.baselineName + " " + Figure(row.baseline, row.unit), ratioText, number,
                         ratio <= row.target ? "yes" : "NO"});
    }
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& line : cells)
        for (std::size_t column = 0; column < line.size(); ++column)
            widths[column] = std::max(widths[column], line[column].size());
    auto print = [&](const std::vector<std::string>& line) {
        for (std::size_t column = 0; column < line.size(); ++column)
            std::printf("| %-*s ", static_cast<int>(widths[column]), line[column].c_str());
        std::printf("|\n");
    };
    print(cells.front());
    for (std::size_t width : widths)
        std::printf("|%s", std::string(width + 2, '-').c_str());
    std::printf("|\n");
    for (std::size_t line = 1; line < cells.size(); ++line)
        print(cells[line]);
    std::fflush(stdout);
}

TempFolder::TempFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvane_bench_XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace korvane::bench
