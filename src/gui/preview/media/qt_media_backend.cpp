// The player's module: Qt Multimedia (GStreamer and the sound server on Debian) behind the
// small interface the call player uses.
#include "gui/preview/media_backend.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>

namespace korvane {

namespace {

// One player for every call. A player given a new source now and then reports the end of the
// one before, or ends at once without a sound; an end counts only once the call has got near
// its end, and a call that ended before it began is started again.
class QtMediaBackend : public MediaBackend {
public:
    QtMediaBackend()
    {
        player_.setAudioOutput(&output_);
        QObject::connect(&player_, &QMediaPlayer::positionChanged, [this](qint64 position) {
            reached_ = std::max(reached_, position);
            if (positionChanged)
                positionChanged(position);
        });
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged,
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status != QMediaPlayer::EndOfMedia)
                                 return;
                             if (!reachedTheEnd() && retries_ < kRetries) {
                                 // Ended before it began: start the call again.
                                 ++retries_;
                                 player_.setSource(QUrl());
                                 player_.setSource(source_);
                                 player_.play();
                             } else if (reachedTheEnd() && ended) {
                                 ended();
                             }
                         });
        QObject::connect(&player_, &QMediaPlayer::errorOccurred,
                         [this](QMediaPlayer::Error, const QString& text) {
                             if (failed)
                                 failed(text);
                         });
    }
    ~QtMediaBackend() override
    {
        QObject::disconnect(&player_, nullptr, nullptr, nullptr);
        player_.stop();
    }

    void play(const QString& hostPath) override
    {
        reached_ = 0;
        retries_ = 0;
        source_ = QUrl::fromLocalFile(hostPath);
        player_.setSource(source_);
        player_.play();
    }
    void stop() override { player_.stop(); }
    qint64 duration() const override { return player_.duration(); }

private:
    // Within the last second of a call whose length is known.
    bool reachedTheEnd() const
    {
        const qint64 length = player_.duration();
        return length > 0 && std::max(reached_, player_.position()) >= length - kEndSlackMs;
    }

    static constexpr qint64 kEndSlackMs = 1000;
    static constexpr int kRetries = 3;
    QAudioOutput output_;
    QMediaPlayer player_;
    QUrl source_;
    qint64 reached_ = 0;
    int retries_ = 0;
};

} // namespace

} // namespace korvane

extern "C" Q_DECL_EXPORT korvane::MediaBackend* KorvaneMakeMediaBackend()
{
    return new korvane::QtMediaBackend;
}
