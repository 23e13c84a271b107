#include "gui/preview/call_player.h"

#include "gui/preview/media_backend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>

namespace korvane {

namespace {

// Where the player's module is: beside the program, where the build put it, or where the
// package installed it (relative to the program, so an installed tree can move).
QStringList ModuleCandidates()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QStringLiteral(KORVANE_MEDIA_MODULE_NAME)),
            QStringLiteral(KORVANE_MEDIA_MODULE_BUILT),
            program.filePath(QStringLiteral(KORVANE_MEDIA_MODULE_FROM_PROGRAM))};
}

} // namespace

CallPlayer::CallPlayer(QObject* parent) : QObject(parent) {}

CallPlayer::~CallPlayer() = default;

bool CallPlayer::ensureBackend(QString& problem)
{
    if (backend_)
        return true;
    for (const QString& candidate : ModuleCandidates()) {
        QLibrary module(candidate);
        if (!QFileInfo::exists(candidate))
            continue;
        const auto make = reinterpret_cast<MakeMediaBackend>(module.resolve(kMakeMediaBackend));
        if (!make) {
            problem = module.errorString();
            continue;
        }
        backend_.reset(make());
        backend_->positionChanged = [this](qint64 position) {
            if (!playing_.isEmpty())
                reached_ = std::max(reached_, position);
        };
        backend_->ended = [this] { finish({}); };
        backend_->failed = [this](const QString& text) { finish(text); };
        return true;
    }
    if (problem.isEmpty())
        problem = tr("the player's module %1 is missing").arg(KORVANE_MEDIA_MODULE_NAME);
    return false;
}

void CallPlayer::play(const QString& hostPath)
{
    stop();
    playing_ = hostPath;
    reached_ = 0;
    emit started(hostPath);
    QString problem;
    if (!ensureBackend(problem)) {
        finish(problem);
        return;
    }
    backend_->play(hostPath);
}

void CallPlayer::stop()
{
    if (playing_.isEmpty())
        return;
    if (backend_)
        backend_->stop();
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
    return backend_ ? backend_->duration() : 0;
}

} // namespace korvane
