// Wine (8.0, Debian 12) has no Media Foundation source for MP3, so under Wine no call can be
// heard: a limit of Wine, not of the program. A test that plays a call asks this first and
// skips with the reason under Wine only; on Windows itself and on Linux it always plays.
#pragma once

#include "gui/preview/call_player.h"

#include <QEventLoop>
#include <QTimer>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvane::test {

inline bool UnderWine()
{
#ifdef _WIN32
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

// Empty where calls can be heard; else why not.
inline std::string WhyNoCallCanBeHeard(const QString& call)
{
    if (!UnderWine())
        return {};
    CallPlayer player;
    QString problem;
    QEventLoop loop;
    QObject::connect(&player, &CallPlayer::stopped, &loop, [&](const QString&, const QString& why) {
        problem = why;
        loop.quit();
    });
    QObject::connect(&player, &CallPlayer::started, &loop, &QEventLoop::quit);
    player.play(call);
    if (!player.playing().isEmpty() && problem.isEmpty()) {
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    player.stop();
    if (problem.isEmpty())
        return {};
    return "Wine's Media Foundation cannot play an MP3 here: " + problem.toStdString();
}

} // namespace korvane::test

// In a test body or SetUp: skips the test, with the reason, where no call can be heard.
#define KORVANE_SKIP_WHERE_NO_CALL_CAN_BE_HEARD(call)                                              \
    if (const std::string whyNot = ::korvane::test::WhyNoCallCanBeHeard(call); !whyNot.empty())    \
    GTEST_SKIP() << whyNot
