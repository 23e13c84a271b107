// Every saved fuzz input, the seeds under fuzz/corpus and what the fuzzers once found under
// tests/data/fuzz, replayed through the same property checks as the fuzz targets.
#include "support/fuzz_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace korvane::test {
namespace {

// Runs check over every input saved for target and returns how many there were.
int replay(const std::string& target, const std::function<Violations(std::string_view)>& check)
{
    int count = 0;
    for (const char* folder : {"/fuzz/corpus/", "/tests/data/fuzz/"}) {
        const fs::path inputs = std::string(KORVANE_SOURCE_DIR) + folder + target;
        if (!fs::is_directory(inputs))
            continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(inputs)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            for (const std::string& broken : check(bytes.str()))
                ADD_FAILURE() << entry.path().string() << ": " << broken;
            ++count;
        }
    }
    return count;
}

TEST(FuzzRegressions, PlaylistFilesReadAsWholeLinesThatSurviveTheWriter)
{
    PlaylistReadCheck check;
    EXPECT_GE(replay("playlist_lines", [&](std::string_view in) { return check.check(in); }), 5);
}

TEST(FuzzRegressions, PathsResolveInsideTheirDriveInPlainForm)
{
    PathCheck check;
    EXPECT_GE(replay("disk_paths", [&](std::string_view in) { return check.check(in); }), 5);
}

TEST(FuzzRegressions, DriveMapsReadBackAsWrittenAndMapHostPathsToMappedDrives)
{
    EXPECT_GE(replay("drive_map", CheckDriveMap), 5);
}

TEST(FuzzRegressions, TextHelpersKeepTheirRules)
{
    EXPECT_GE(replay("text", CheckText), 5);
}

TEST(FuzzRegressions, CallInformationHoldsForAnyBytes)
{
    EXPECT_GE(replay("call_info", CheckCallInfo), 5);
}

} // namespace
} // namespace korvane::test
