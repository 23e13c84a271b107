#include "audio_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvane::test {

namespace {

// How long a slow machine may take to bring the server up before the test gives up on it.
constexpr int kStartTries = 200;
constexpr auto kStartPoll = std::chrono::milliseconds(50);

bool Accepts(const std::string& socketPath)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

std::string LastLines(const std::string& path)
{
    std::ifstream in(path);
    std::string line, last;
    while (std::getline(in, line))
        last = line;
    return last;
}

} // namespace

AudioServer::AudioServer()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane_pulse_XXXXXX");
    folder_ = ::mkdtemp(pattern.data());
    const std::string log = folder_ + "/server.log";
    const std::string socket = folder_ + "/native";
    const std::string protocol = "module-native-protocol-unix auth-anonymous=1 socket=" + socket;

    pid_ = ::fork();
    if (pid_ == 0) {
        ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
        ::setenv("HOME", folder_.c_str(), 1);
        std::FILE* out = std::fopen(log.c_str(), "w");
        if (out) {
            ::dup2(::fileno(out), STDOUT_FILENO);
            ::dup2(::fileno(out), STDERR_FILENO);
        }
        // -n: none of the desktop's configuration; only the two modules the test needs.
        ::execlp("pulseaudio", "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
                 "--use-pid-file=false", "--log-target=stderr", "-L", "module-null-sink", "-L",
                 protocol.c_str(), static_cast<char*>(nullptr));
        std::fprintf(stderr, "pulseaudio is not installed (Debian: pulseaudio)\n");
        ::_exit(127);
    }
    if (pid_ < 0) {
        why_ = "cannot start a process for the audio server";
        return;
    }
    for (int tries = 0; tries < kStartTries; ++tries) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            why_ = "the audio server did not start: " + LastLines(log);
            return;
        }
        if (Accepts(socket)) {
            running_ = true;
            return;
        }
        std::this_thread::sleep_for(kStartPoll);
    }
    why_ = "the audio server did not answer: " + LastLines(log);
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

AudioServer::~AudioServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

int AudioServer::playingStreams() const
{
    // A stopped player may keep its stream open, paused ("corked"): only the others sound.
    const std::string command = "PULSE_SERVER=" + address() + " pactl list sink-inputs";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(::popen(command.c_str(), "r"), ::pclose);
    if (!out)
        return -1;
    int sounding = 0;
    char line[512];
    while (std::fgets(line, sizeof line, out.get())) {
        if (std::string_view(line).find("Corked: no") != std::string_view::npos)
            ++sounding;
    }
    return sounding;
}

} // namespace korvane::test
