// What the call player asks of the multimedia library. Qt Multimedia and the sound server's
// client library it brings are large, so they live in a module of their own that the player
// loads at its first call: a window that never plays starts and stays as small as before.
#pragma once

#include <QString>

#include <functional>

namespace korvane {

class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    virtual void play(const QString& hostPath) = 0;
    virtual void stop() = 0;
    virtual qint64 duration() const = 0;

    std::function<void(qint64)> positionChanged;
    std::function<void()> ended;
    std::function<void(const QString&)> failed;
};

// The module's one entry point.
using MakeMediaBackend = MediaBackend* (*)();
inline constexpr const char* kMakeMediaBackend = "KorvaneMakeMediaBackend";

} // namespace korvane
