// Runs korvane-replay on one script in a scratch folder of its own, with a time limit, and
// keeps what it printed and how it ended.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane::sessions {

struct ReplayRun {
    enum class End { Exited, Signalled, TimedOut } end = End::Exited;
    int code = 0; // the exit status, or the signal
    std::string transcript;
    std::string errors; // standard error: sanitizer reports, Qt's complaints
};

class Replay {
public:
    Replay(std::filesystem::path program, int timeoutSeconds)
        : program_(std::move(program)), timeoutSeconds_(timeoutSeconds)
    {
    }
    // The script's lines are written to a file in a fresh scratch folder, whose "root" the
    // run uses as its drives; the folder is removed afterwards, also after a hang.
    ReplayRun run(const std::vector<std::string>& script, bool gui) const;

private:
    std::filesystem::path program_;
    int timeoutSeconds_;
};

// Joins lines with LF, a final one included.
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace korvane::sessions
