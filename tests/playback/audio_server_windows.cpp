#include "audio_server.h"

#include <windows.h>

#include <mmsystem.h>

namespace korvane::test {

AudioServer::AudioServer()
{
    // The call player sounds through the system's default output: without a device there is
    // nothing to play into (a Wine prefix whose sound driver found no server).
    running_ = ::waveOutGetNumDevs() > 0;
    if (!running_)
        why_ = "this system has no audio output device";
}

AudioServer::~AudioServer() = default;

int AudioServer::playingStreams() const
{
    return -1;
}

} // namespace korvane::test
