#include "gui/dialogs/picker_preview.h"

#include "calls/call_info.h"
#include "convert/conversion_refused.h"
#include "convert/converted_calls.h"
#include "convert/player_form.h"
#include "convert/recording_decoder.h"
#include "gui/preview/call_player.h"
#include "sys/errors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <iterator>
#include <new>
#include <string_view>

namespace korvane {

// What the worker hands back: the conversion, or why there is none.
struct ConversionJob {
    std::string bytes;
    Conversion conversion;
    std::string refusal;
};

namespace {

// Names of the recordings the converter reads besides MP3, whose line says that converting
// makes a copy the player plays.
constexpr std::string_view kRecordingEndings[] = {".wav",  ".aif", ".aiff", ".aifc",
                                                  ".flac", ".ogg", ".oga",  ".opus"};

bool NamesARecording(const std::string& path)
{
    const QString name = QString::fromStdString(path).toLower();
    return std::any_of(std::begin(kRecordingEndings), std::end(kRecordingEndings),
                       [&name](std::string_view ending) {
                           return name.endsWith(QLatin1String(ending.data(), ending.size()));
                       });
}

// A minus sign for the figures a user reads, not a hyphen.
QString Typeset(const std::string& text)
{
    return QString::fromStdString(text).replace(QLatin1Char('-'), QChar(0x2212));
}

} // namespace

PickerPreview::PickerPreview(Disk& disk, CallPlayer& player, QWidget* parent)
    : QWidget(parent), disk_(disk), player_(player), play_(new QPushButton(this)),
      convert_(new QPushButton(tr("Con&vert to MP3"), this)), about_(new QLabel(this))
{
    setObjectName(QStringLiteral("Preview"));
    play_->setObjectName(QStringLiteral("Play"));
    convert_->setObjectName(QStringLiteral("Convert"));
    about_->setObjectName(QStringLiteral("Length"));
    about_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    about_->setWordWrap(true);
    convert_->setToolTip(tr("Writes a copy the player plays (MP3, %1 Hz, %2 kbit/s, mono) into "
                            "%3, at one loudness (%4 LUFS), and picks it")
                             .arg(kPlayerForm.rate)
                             .arg(kPlayerForm.kbps)
                             .arg(QString::fromStdString(std::string(kConvertedFolder)))
                             .arg(Typeset(std::to_string(int(kLoudnessTarget.integrated)))));
    // Not the default buttons: Enter still takes the pick, as it always did.
    play_->setAutoDefault(false);
    convert_->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(play_);
    layout->addWidget(convert_);
    layout->addWidget(about_, 1);
    connect(play_, &QPushButton::clicked, this, &PickerPreview::playOrStop);
    connect(convert_, &QPushButton::clicked, this, &PickerPreview::convert);
    connect(&player_, &CallPlayer::started, this, &PickerPreview::showPlaying);
    connect(&player_, &CallPlayer::stopped, this, &PickerPreview::showPlaying);
    showPath({});
}

PickerPreview::~PickerPreview()
{
    // What was heard in the picker ends with it; a conversion under way is let finish.
    if (!hostPath_.isEmpty() && player_.playing() == hostPath_)
        player_.stop();
    if (work_) {
        work_->wait();
        delete work_;
    }
}

QString PickerPreview::RefusedText(const QString& why)
{
    return tr("Cannot convert: %1").arg(why);
}

void PickerPreview::showPath(const std::string& windowsPath)
{
    if (!hostPath_.isEmpty() && player_.playing() == hostPath_)
        player_.stop();
    hostPath_.clear();
    // Any path may be converted: what cannot be is refused with its reason.
    source_ = windowsPath;
    QString about;
    try {
        const std::optional<std::string> host =
            windowsPath.empty() ? std::nullopt : disk_.HostPath(windowsPath);
        if (host && !disk_.FolderExists(windowsPath)) {
            const CallInfo info = ReadCallInfo(*host);
            about = QString::fromStdString(CallInfoLines(info))
                        .replace(QLatin1Char('\n'), QStringLiteral(", "));
            if (!info.playable() && ConverterBuilt() && NamesARecording(windowsPath))
                about += tr("; Convert to MP3 makes a copy it plays");
            if (info.playable()) {
                about = tr("Length %1").arg(about);
                hostPath_ = QString::fromStdString(*host);
                const auto evened = evenedOut_.find(windowsPath);
                if (evened != evenedOut_.end())
                    about += QStringLiteral(", ") + evened->second;
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
    play_->setEnabled(!hostPath_.isEmpty() && !converting());
    convert_->setEnabled(!source_.empty() && !converting());
}

void PickerPreview::convert()
{
    if (converting() || source_.empty())
        return;
    refusal_.clear();
    const std::string source = source_;
    auto job = std::make_shared<ConversionJob>();
    try {
        job->bytes = disk_.ReadBytes(source);
    } catch (const PlatformError& failed) {
        refuse(QString::fromStdString(failed.what()));
        return;
    }
    if (!hostPath_.isEmpty() && player_.playing() == hostPath_)
        player_.stop();
    job_ = job;
    // Decoding, measuring and encoding take a while for a long recording: off the window's
    // thread, so the picker keeps answering.
    work_ = QThread::create([job] {
        try {
            job->conversion = ConvertRecording(job->bytes);
        } catch (const ConversionRefused& refused) {
            job->refusal = refused.what();
        } catch (const std::bad_alloc&) {
            job->refusal = "the recording is too long to convert in the memory there is";
        }
        job->bytes.clear();
    });
    connect(work_, &QThread::finished, this, [this, source] { finishConversion(source); });
    about_->setText(tr("Converting…"));
    showPlaying();
    work_->start();
}

void PickerPreview::finishConversion(const std::string& source)
{
    work_->wait();
    delete work_;
    work_ = nullptr;
    const std::shared_ptr<ConversionJob> job = std::move(job_);
    if (!job->refusal.empty()) {
        refuse(QString::fromStdString(job->refusal));
        return;
    }
    const std::string path = ConvertedPathOf(source);
    try {
        SaveConverted(disk_, path, job->conversion.mp3);
    } catch (const PlatformError& failed) {
        refuse(QString::fromStdString(failed.what()));
        return;
    }
    evenedOut_[path] = Typeset(EvenedOutNote(job->conversion));
    // The converted call becomes the pick (and its line is shown), unless another file was
    // picked meanwhile; the recording is not read again.
    showPlaying();
    if (source_ == source)
        emit converted(QString::fromStdString(path));
    emit conversionEnded();
}

void PickerPreview::refuse(const QString& why)
{
    refusal_ = why;
    showPlaying();
    about_->setText(RefusedText(why));
    emit conversionEnded();
}

} // namespace korvane
