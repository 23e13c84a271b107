// The loudness line of a call's tooltip, measured once per version of the file: hovering the
// same row again costs nothing, and a call that changed on the disk is measured again.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace korvane {

class CallLoudnessCache {
public:
    // "Loudness −16.0 LUFS, true peak −1.2 dBTP" for the call in the host file; "" when it
    // holds no sound the converter reads, or this build has no converter.
    QString lineFor(const QString& hostPath);

private:
    struct Measured {
        qint64 size = -1;
        QDateTime modified;
        QString line;
    };
    QHash<QString, Measured> measured_;
};

} // namespace korvane
