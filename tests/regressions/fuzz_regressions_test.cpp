// Every saved fuzz input, the seeds under fuzz/corpus and what the fuzzers once found under
// tests/data/fuzz, replayed through the same property checks as the fuzz targets.
#include "support/fuzz_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

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
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            for (const std::string& broken : check(bytes))
                ADD_FAILURE() << entry.path().string() << ": " << broken;
            ++count;
        }
    }
    return count;
}

// Playlist files read as whole lines that survive the writer; paths resolve inside their drive
// in plain form; drive maps read back as written and map host paths to mapped drives; the text
// helpers keep their rules; call information holds for any bytes.
TEST(FuzzRegressions, EverySavedInputKeepsItsTargetsProperties)
{
    PlaylistReadCheck playlist;
    PathCheck paths;
    const std::pair<const char*, std::function<Violations(std::string_view)>> targets[] = {
        {"playlist_lines", [&](std::string_view in) { return playlist.check(in); }},
        {"disk_paths", [&](std::string_view in) { return paths.check(in); }},
        {"drive_map", CheckDriveMap},
        {"text", CheckText},
        {"call_info", CheckCallInfo}};
    for (const auto& [target, check] : targets)
        EXPECT_GE(replay(target, check), 5) << target;
}

} // namespace
} // namespace korvane::test
