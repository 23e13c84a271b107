// korvane_perf: runs every benchmark row and prints the one table bench/run shows; given
// "start", "playlist", "lists", "upload", "many", "folder", "reset" or "calls", only those rows.
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
        std::vector<Row> rows;
        const std::pair<const char*, std::vector<Row> (*)()> groups[] = {
            {"start", StartRows},   {"playlist", PlaylistRows}, {"lists", ListRows},
            {"upload", UploadRows}, {"many", ManyCallsRows},    {"folder", LargeFolderRows},
            {"reset", ResetRows},   {"calls", CallInfoRows}};
        for (const auto& [name, measure] : groups) {
            if (only.empty() || only == name) {
                std::vector<std::vector<Row>> each;
                for (int run = 0; run < runs; ++run)
                    each.push_back(measure());
                const std::vector<Row> more = CombineRuns(each);
                rows.insert(rows.end(), more.begin(), more.end());
            }
        }
        PrintTable(rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane_perf: %s\n", error.what());
        return 1;
    }
    return 0;
}
