#include "platform/qt/call_player.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>

namespace korvane {

CallPlayer::CallPlayer(QObject* parent) : QObject(parent) {}

CallPlayer::~CallPlayer()
{
    if (player_)
        player_->stop();
}

void CallPlayer::ensurePlayer()
{
    if (player_)
        return;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    finish({});
            });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!playing_.isEmpty())
            reached_ = std::max(reached_, position);
    });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) { finish(text); });
}

void CallPlayer::play(const QString& hostPath)
{
    stop();
    ensurePlayer();
    playing_ = hostPath;
    reached_ = 0;
    player_->setSource(QUrl::fromLocalFile(hostPath));
    player_->play();
    emit started(hostPath);
}

void CallPlayer::stop()
{
    if (playing_.isEmpty())
        return;
    player_->stop();
    finish({});
}

void CallPlayer::finish(const QString& problem)
{
    if (playing_.isEmpty())
        return;
    const QString ended = playing_;
    playing_.clear();
    emit stopped(ended, problem);
}

qint64 CallPlayer::duration() const
{
    return player_ ? player_->duration() : 0;
}

} // namespace korvane
