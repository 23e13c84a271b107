#include "gui/dialogs/picker_preview.h"

#include "calls/call_info.h"
#include "gui/preview/call_player.h"
#include "sys/errors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace korvane {

PickerPreview::PickerPreview(const Disk& disk, CallPlayer& player, QWidget* parent)
    : QWidget(parent), disk_(disk), player_(player), play_(new QPushButton(this)),
      about_(new QLabel(this))
{
    setObjectName(QStringLiteral("Preview"));
    play_->setObjectName(QStringLiteral("Play"));
    about_->setObjectName(QStringLiteral("Length"));
    about_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Not the default button: Enter still takes the pick, as it always did.
    play_->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(play_);
    layout->addWidget(about_, 1);
    connect(play_, &QPushButton::clicked, this, &PickerPreview::playOrStop);
    connect(&player_, &CallPlayer::started, this, &PickerPreview::showPlaying);
    connect(&player_, &CallPlayer::stopped, this, &PickerPreview::showPlaying);
    showPath({});
}

PickerPreview::~PickerPreview()
{
    // What was heard in the picker ends with it.
    if (!hostPath_.isEmpty() && player_.playing() == hostPath_)
        player_.stop();
}

void PickerPreview::showPath(const std::string& windowsPath)
{
    if (!hostPath_.isEmpty() && player_.playing() == hostPath_)
        player_.stop();
    hostPath_.clear();
    QString about;
    try {
        const std::optional<std::string> host =
            windowsPath.empty() ? std::nullopt : disk_.HostPath(windowsPath);
        if (host && !disk_.FolderExists(windowsPath)) {
            const CallInfo info = ReadCallInfo(*host);
            about = QString::fromStdString(CallInfoLines(info))
                        .replace(QLatin1Char('\n'), QStringLiteral(", "));
            if (info.playable()) {
                about = tr("Length %1").arg(about);
                hostPath_ = QString::fromStdString(*host);
            }
        }
    } catch (const PlatformError&) {
        // A drive without its medium: nothing to hear, and the picker says why already.
    }
    about_->setText(about);
    showPlaying();
}

void PickerPreview::playOrStop()
{
    if (hostPath_.isEmpty())
        return;
    if (player_.playing() == hostPath_)
        player_.stop();
    else
        player_.play(hostPath_);
}

void PickerPreview::showPlaying()
{
    const bool playing = !hostPath_.isEmpty() && player_.playing() == hostPath_;
    play_->setText(playing ? tr("&Stop") : tr("&Play"));
    play_->setEnabled(!hostPath_.isEmpty());
}

} // namespace korvane
