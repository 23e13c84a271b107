// korvane_perf: runs every benchmark row and prints the one table bench/run shows; given
// "start", "playlist", "lists", "upload", "many", "folder", "reset" or "calls", only those rows.
#include "rows.h"

#include <QApplication>

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
        std::vector<Row> rows;
        const std::pair<const char*, std::vector<Row> (*)()> groups[] = {
            {"start", StartRows},   {"playlist", PlaylistRows}, {"lists", ListRows},
            {"upload", UploadRows}, {"many", ManyCallsRows},    {"folder", LargeFolderRows},
            {"reset", ResetRows},   {"calls", CallInfoRows}};
        for (const auto& [name, measure] : groups) {
            if (only.empty() || only == name) {
                const std::vector<Row> more = measure();
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
