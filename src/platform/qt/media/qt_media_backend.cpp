// The player's module: Qt Multimedia (GStreamer and the sound server on Debian) behind the
// small interface the call player uses.
#include "platform/qt/media_backend.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace korvane {

namespace {

class QtMediaBackend : public MediaBackend {
public:
    QtMediaBackend()
    {
        player_.setAudioOutput(&output_);
        QObject::connect(&player_, &QMediaPlayer::positionChanged, [this](qint64 position) {
            if (positionChanged)
                positionChanged(position);
        });
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged,
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia && ended)
                                 ended();
                         });
        QObject::connect(&player_, &QMediaPlayer::errorOccurred,
                         [this](QMediaPlayer::Error, const QString& text) {
                             if (failed)
                                 failed(text);
                         });
    }
    ~QtMediaBackend() override { player_.stop(); }

    void play(const QString& hostPath) override
    {
        player_.setSource(QUrl::fromLocalFile(hostPath));
        player_.play();
    }
    void stop() override { player_.stop(); }
    qint64 duration() const override { return player_.duration(); }

private:
    QAudioOutput output_;
    QMediaPlayer player_;
};

} // namespace

} // namespace korvane

extern "C" Q_DECL_EXPORT korvane::MediaBackend* KorvaneMakeMediaBackend()
{
    return new korvane::QtMediaBackend;
}
