// The one player of the program: a call heard from the window's lists or from the Add picker.
// Playing a call stops the one before. The multimedia module is loaded by the first call
// played, so a session that plays nothing never loads it.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace korvane {

class MediaBackend;

class CallPlayer : public QObject {
    Q_OBJECT
public:
    explicit CallPlayer(QObject* parent = nullptr);
    ~CallPlayer() override;

    void play(const QString& hostPath);
    void stop();
    // The host path of the call that plays (or is about to); empty when none does.
    const QString& playing() const { return playing_; }
    // How far the call that plays, or played last, got, and how long it is (ms).
    qint64 reached() const { return reached_; }
    qint64 duration() const;

signals:
    void started(const QString& hostPath);
    // The call ended, was stopped, or could not be played (then problem says why).
    void stopped(const QString& hostPath, const QString& problem);

private:
    bool ensureBackend(QString& problem);
    void finish(const QString& problem);

    std::unique_ptr<MediaBackend> backend_;
    QString playing_;
    qint64 reached_ = 0;
};

} // namespace korvane
