#include "gui/preview/call_loudness_cache.h"

#include "convert/call_loudness.h"
#include "convert/loudness_text.h"
#include "convert/recording_decoder.h"

#include <QFile>
#include <QFileInfo>

namespace korvane {

QString CallLoudnessCache::lineFor(const QString& hostPath)
{
    if (!ConverterBuilt())
        return {};
    const QFileInfo file(hostPath);
    Measured& known = measured_[hostPath];
    if (known.size == file.size() && known.modified == file.lastModified())
        return known.line;
    known = {file.size(), file.lastModified(), {}};
    // A call is a few hundred kilobytes at most; reading and measuring it takes milliseconds.
    QFile call(hostPath);
    if (!call.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = call.readAll();
    const CallLoudness loudness =
        MeasureCallLoudness(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (loudness.audio) {
        known.line = QString::fromStdString(LoudnessLine(loudness.loudness))
                         .replace(QLatin1Char('-'), QChar(0x2212));
    }
    return known.line;
}

} // namespace korvane
