#include "replay_run.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane::sessions {

namespace {

// A scratch folder that goes with the object.
class Scratch {
public:
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "korvane-session-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~Scratch()
    {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Reads both pipes until they close or the deadline passes; false on the deadline.
bool Drain(int out, int err, std::string& transcript, std::string& errors,
           std::chrono::steady_clock::time_point deadline)
{
    pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string* sinks[2] = {&transcript, &errors};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (::poll(fds, 2, static_cast<int>(left.count())) < 0)
            continue; // interrupted
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

} // namespace

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

ReplayRun Replay::run(const std::vector<std::string>& script, bool gui) const
{
    Scratch scratch;
    const fs::path file = scratch.path() / "session.scn";
    std::ofstream(file, std::ios::binary) << JoinLines(script);
    const std::string root = (scratch.path() / "root").string();
    std::vector<std::string> arguments = {program_.string(), "--root", root, file.string()};
    if (gui)
        arguments.insert(arguments.begin() + 1, "--gui");

    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot start " + program_.string());
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::setpgid(0, 0); // its own group, so that a hang is ended with everything it started
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);

    ReplayRun result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds_);
    const bool finished = Drain(out[0], err[0], result.transcript, result.errors, deadline);
    ::close(out[0]);
    ::close(err[0]);
    if (!finished)
        ::kill(-child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished) {
        result.end = ReplayRun::End::TimedOut;
    } else if (WIFSIGNALED(status)) {
        result.end = ReplayRun::End::Signalled;
        result.code = WTERMSIG(status);
    } else {
        result.code = WEXITSTATUS(status);
    }
    return result;
}

} // namespace korvane::sessions
