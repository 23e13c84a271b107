// A PulseAudio server of the test's own, with a null sink: sound goes somewhere real (a server
// that takes and clocks the samples) without speakers. Started in a private runtime folder so
// it works as root and beside a desktop's own server; stopped and removed with the object.
// On Windows the system's own audio output serves, where it has one (under Wine, a sound
// driver reaching a PulseAudio server that scripts/test-windows.sh starts).
#pragma once

#include <string>
#include <sys/types.h>

namespace korvane::test {

class AudioServer {
public:
    AudioServer();
    ~AudioServer();
    AudioServer(const AudioServer&) = delete;
    AudioServer& operator=(const AudioServer&) = delete;

    bool running() const { return running_; }
    // Why it could not be started; empty while it runs.
    const std::string& why() const { return why_; }
    // What PULSE_SERVER must hold for a client to reach it.
    std::string address() const { return "unix:" + folder_ + "/native"; }
    // The streams that sound into it right now (pactl, from pulseaudio-utils, asks it). Windows
    // gives a test no such count.
    int playingStreams() const;
#ifdef _WIN32
    static constexpr bool kCountsStreams = false;
#else
    static constexpr bool kCountsStreams = true;
#endif

private:
    std::string folder_;
    pid_t pid_ = -1;
    bool running_ = false;
    std::string why_;
};

} // namespace korvane::test
