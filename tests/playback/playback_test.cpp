// Calls played for real: through Qt Multimedia into an audio server of the test's own, to the
// end of the call; a second call stops the first; Escape stops what plays. Where no server can
// be started the tests skip and say why, unless KORVANE_REQUIRE_AUDIO is set (CI sets it, so
// there they fail instead).
#include "audio_server.h"
#include "calls/call_info.h"
#include "convert/recording_conversion.h"
#include "convert/recording_decoder.h"
#include "convert/wav_bytes.h"
#include "gui/preview/call_player.h"
#include "gui/preview/call_preview.h"
#include "wine_media.h"

#include <QApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace korvane {
namespace {

const std::string kKit = KORVANE_FACTORY_DIR;
// Long enough for any call of the kit to play out on a loaded machine.
constexpr int kLongestWaitMs = 60000;

class PlaybackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = new test::AudioServer;
        if (server->running() && test::AudioServer::kCountsStreams)
            qputenv("PULSE_SERVER", QByteArray::fromStdString(server->address()));
        static int argc = 1;
        static char name[] = "korvane_playback_tests";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
    }

    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        if (server->running()) {
            KORVANE_SKIP_WHERE_NO_CALL_CAN_BE_HEARD(QString::fromStdString(kKit + "/Taps.mp3"));
            return;
        }
        if (std::getenv("KORVANE_REQUIRE_AUDIO"))
            FAIL() << "no audio server: " << server->why();
        GTEST_SKIP() << "no audio server: " << server->why();
    }

    // Runs the event loop until the player reports that what played has stopped, and why.
    static bool waitForStop(CallPlayer& player, QString& problem)
    {
        QEventLoop loop; // the connection goes with it
        bool ended = false;
        QObject::connect(&player, &CallPlayer::stopped, &loop,
                         [&](const QString&, const QString& why) {
                             ended = true;
                             problem = why;
                             loop.quit();
                         });
        QTimer::singleShot(kLongestWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
        return ended;
    }

    // Runs the event loop until the call that plays has got past its start.
    static bool waitUntilSounding(CallPlayer& player)
    {
        for (int waited = 0; waited < kLongestWaitMs && !player.playing().isEmpty(); waited += 20) {
            if (player.reached() > 100)
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    static inline test::AudioServer* server = nullptr;
    static inline QApplication* app = nullptr;
};

// A kit call, and a recording converted to the player's form (its Info frame, which the
// decoder skips, included), each play to their end.
TEST_F(PlaybackTest, AKitCallAndAConvertedCallPlayThroughTheAudioServerToTheirEnd)
{
    std::vector<std::string> calls = {kKit + "/attention.mp3"};
    const std::string converted =
        (std::filesystem::temp_directory_path() / "korvane_playback_converted.mp3").string();
    if (ConverterBuilt()) {
        std::ofstream(converted, std::ios::binary)
            << ConvertRecording(WavBytes(Tone(2.5, -20, 660, 44100, 2))).mp3;
        calls.push_back(converted);
    }
    for (const std::string& call : calls) {
        SCOPED_TRACE(call);
        CallPlayer player;
        player.play(QString::fromStdString(call));
        ASSERT_TRUE(waitUntilSounding(player)) << "the call never started";
        if (test::AudioServer::kCountsStreams) {
            EXPECT_GE(server->playingStreams(), 1) << "nothing plays into the audio server";
        }

        QString problem;
        ASSERT_TRUE(waitForStop(player, problem)) << "the call never ended";
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        const double seconds = ReadCallInfo(call).seconds;
        EXPECT_NEAR(player.duration() / 1000.0, seconds, 0.1);
        EXPECT_NEAR(player.reached() / 1000.0, seconds, 0.3) << "it stopped before the end";
        EXPECT_TRUE(player.playing().isEmpty());
    }
    std::filesystem::remove(converted);
}

TEST_F(PlaybackTest, ASecondCallStopsTheFirstAndEscapeStopsIt)
{
    QWidget window;
    auto* list = new QListWidget(&window);
    list->setObjectName(QStringLiteral("File2"));
    list->addItems({QStringLiteral("Taps.mp3"), QStringLiteral("reveille.mp3")});
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(list);
    const Disk disk({{'d', kKit, ""}});
    CallPlayer player;
    CallPreview preview(window, disk, player, [](const QString&, const QString& name) {
        return "d:\\" + name.toStdString();
    });
    window.show();

    QString stopped;
    QString problem = QStringLiteral("not stopped");
    QObject::connect(&player, &CallPlayer::stopped, &window,
                     [&](const QString& path, const QString& why) {
                         stopped = path;
                         problem = why;
                     });
    preview.toggleRow(*list, 0);
    ASSERT_TRUE(waitUntilSounding(player))
        << "the first call stopped: " << stopped.toStdString() << " " << problem.toStdString();
    preview.toggleRow(*list, 1);
    EXPECT_EQ(stopped.toStdString(), kKit + "/Taps.mp3");
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    EXPECT_EQ(player.playing().toStdString(), kKit + "/reveille.mp3");
    ASSERT_TRUE(waitUntilSounding(player))
        << "the second call stopped: " << stopped.toStdString() << " " << problem.toStdString();

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(player.playing().isEmpty());
    EXPECT_EQ(stopped.toStdString(), kKit + "/reveille.mp3");
    // The server hears the stream go.
    QTest::qWait(200);
    if (test::AudioServer::kCountsStreams) {
        EXPECT_EQ(server->playingStreams(), 0);
    }
}

} // namespace
} // namespace korvane
