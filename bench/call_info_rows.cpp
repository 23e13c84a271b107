// Reading the call information of a folder of 10,000 real calls (what hovering every row
// would read), against the floor of any header scan: the first 4 KB of each file.
#include "rows.h"

#include "calls/call_info.h"

#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane::bench {

namespace {

constexpr int kRounds = 7;
constexpr int kCalls = 10000;
constexpr std::size_t kHeaderBytes = 4096;
// Small kit calls, so the folder stays under 100 MB.
constexpr const char* kSources[] = {"bt1_orig.mp3", "attention.mp3", "bt2_orig.mp3"};

std::size_t ReadHead(const std::string& file)
{
    char buffer[kHeaderBytes];
    const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw std::runtime_error("cannot read " + file);
    const ssize_t count = ::read(in, buffer, sizeof buffer);
    ::close(in);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

} // namespace

std::vector<Row> CallInfoRows()
{
    TempFolder folder;
    std::vector<std::string> files;
    for (int i = 0; i < kCalls; ++i) {
        const fs::path source = fs::path(KORVANE_KIT_DIR) / kSources[i % std::size(kSources)];
        files.push_back(folder.path() + "/call" + std::to_string(i) + ".mp3");
        fs::copy_file(source, files.back());
    }
    double seconds = 0;
    std::size_t bytes = 0;
    const auto [info, head] = MedianMillisecondsInTurns(
        kRounds,
        [&] {
            for (const std::string& file : files)
                seconds += ReadCallInfo(file).seconds;
        },
        [&] {
            for (const std::string& file : files)
                bytes += ReadHead(file);
        });
    if (seconds <= 0 || bytes == 0)
        throw std::runtime_error("the calls were not read");
    return {{"call information of 10,000 calls", "ReadCallInfo", info, "first 4 KB of each", head,
             "ms", 2.0}};
}

} // namespace korvane::bench
