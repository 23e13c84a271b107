// korvane_perf: runs every benchmark row and prints the one table bench/run shows; given
// "start", "playlist", "lists", "upload", "many", "folder", "reset", "calls" or "convert", only
// those rows.
// Each row is measured KORVANE_BENCH_RUNS times (3 unless set): the table shows the median
// ratio and, beside it, the lowest and the highest.
#include "rows.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

int main(int argc, char* argv[])
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    using namespace korvane::bench;
    try {
        const std::string only = argc > 1 ? argv[1] : "";
        const char* runsSet = std::getenv("KORVANE_BENCH_RUNS");
        const int runs = std::max(1, runsSet ? std::atoi(runsSet) : 3);
        std::vector<std::vector<Row>> rows; // the runs of each row
        const std::pair<const char*, std::vector<Row> (*)()> groups[] = {
            {"start", StartRows},   {"playlist", PlaylistRows}, {"lists", ListRows},
            {"upload", UploadRows}, {"many", ManyCallsRows},    {"folder", LargeFolderRows},
            {"reset", ResetRows},   {"calls", CallInfoRows},    {"convert", ConvertRows}};
        for (const auto& [name, measure] : groups) {
            if (only.empty() || only == name) {
                const std::size_t first = rows.size();
                for (int run = 0; run < runs; ++run) {
                    const std::vector<Row> measured = measure();
                    rows.resize(first + measured.size());
                    for (std::size_t i = 0; i < measured.size(); ++i)
                        rows[first + i].push_back(measured[i]);
                }
            }
        }
        PrintTable(rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane_perf: %s\n", error.what());
        return 1;
    }
    return 0;
}
