#include "platform/qt/removable_volumes.h"

#include <QDir>
#include <QStorageInfo>

namespace korvane {

namespace {

bool UnderRemovableMountPoint(const QString& root)
{
    for (const char* base : {"/media/", "/run/media/", "/mnt/"})
        if (root.startsWith(QLatin1String(base)))
            return true;
    return false;
}

} // namespace

std::vector<Volume> RemovableVolumes()
{
    std::vector<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady() || storage.isRoot())
            continue;
        const QString root = storage.rootPath();
        if (!UnderRemovableMountPoint(root))
            continue;
        QString label = storage.name();
        if (label.isEmpty())
            label = QDir(root).dirName();
        volumes.push_back({root.toStdString(), label.toStdString()});
    }
    return volumes;
}

} // namespace korvane
