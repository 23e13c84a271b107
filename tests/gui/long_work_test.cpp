// Long work on a worker while the window's thread waits in the pump: the window goes on
// handling its events, user input waits until the work has ended and then arrives in order,
// and only Escape or a click on the widget that stops the work gets through.
#include "form/background_work.h"
#include "gui/desktop/event_pump.h"
#include "gui/desktop/input_hold.h"
#include "qt_test_support.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Work that runs until stopped, or gives up after a few seconds.
void UntilStopped(const std::atomic<bool>& stop)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!stop && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TEST(LongWork, TheWindowAnswersHoldsInputAndLetsOnlyStopThrough)
{
    testing::TestApp();
    QWidget window;
    auto* other = new QPushButton(QStringLiteral("Other"), &window);
    auto* stopButton = new QPushButton(QStringLiteral("Stop"), &window);
    stopButton->move(0, 40);
    stopButton->setProperty(kStopsWorkProperty, true);
    window.show();
    std::atomic<bool> stop{false};
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    QObject::connect(stopButton, &QPushButton::clicked, [&] { stop = true; });

    QtEventPump pump;
    for (const bool byKey : {true, false}) {
        stop = false;
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(5);
        QTimer::singleShot(30, [&] {
            QTest::mouseClick(other, Qt::LeftButton);
            QTest::keyClick(other, Qt::Key_A);
        });
        QTimer::singleShot(60, [&] {
            if (byKey)
                QTest::keyClick(other, Qt::Key_Escape);
            else
                QTest::mouseClick(stopButton, Qt::LeftButton);
        });
        pump.beginLongWork([&] { stop = true; });
        int ticksDuringWork = 0;
        BackgroundWork::Run(pump, [&](BackgroundWork& work) {
            UntilStopped(stop);
            work.onWindowThread([&] { ticksDuringWork = ticks; });
        });
        EXPECT_TRUE(stop) << "by key " << byKey;
        EXPECT_GE(ticksDuringWork, 1) << "the window's timers ran while the work ran";
        EXPECT_EQ(otherClicks, byKey ? 0 : 1) << "nothing arrives before the work's end";
        pump.endLongWork();
        QCoreApplication::processEvents();
        EXPECT_EQ(otherClicks, byKey ? 1 : 2) << "held input arrives once the work has ended";
    }
}

TEST(LongWork, WhatTheWorkThrowsAndWhatItHandsTheWindowArriveOnTheWindowsThread)
{
    testing::TestApp();
    QtEventPump pump;
    const std::thread::id window = std::this_thread::get_id();
    std::vector<int> steps;
    BackgroundWork::Run(pump, [&](BackgroundWork& work) {
        EXPECT_NE(std::this_thread::get_id(), window);
        for (int step = 1; step <= 3; ++step)
            work.onWindowThread([&, step] {
                EXPECT_EQ(std::this_thread::get_id(), window);
                steps.push_back(step);
            });
    });
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
    EXPECT_THROW(BackgroundWork::Run(pump, [](BackgroundWork&) { throw std::runtime_error("x"); }),
                 std::runtime_error);
}

} // namespace
} // namespace korvane
