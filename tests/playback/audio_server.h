// A PulseAudio server of the test's own, with a null sink: sound goes somewhere real (a server
// that takes and clocks the samples) without speakers. Started in a private runtime folder so
// it works as root and beside a desktop's own server; stopped and removed with the object.
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

    bool running() const { return pid_ > 0; }
    // Why it could not be started; empty while it runs.
    const std::string& why() const { return why_; }
    // What PULSE_SERVER must hold for a client to reach it.
    std::string address() const { return "unix:" + folder_ + "/native"; }
    // The streams that sound into it right now (pactl, from pulseaudio-utils, asks it).
    int playingStreams() const;

private:
    std::string folder_;
    pid_t pid_ = -1;
    std::string why_;
};

} // namespace korvane::test
