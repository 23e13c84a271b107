#include "gui/desktop/removable_volumes.h"

#include "sys/removable_device.h"

#include <QStorageInfo>

namespace korvane {

std::vector<Volume> MountedVolumes()
{
    std::vector<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady())
            continue;
        volumes.push_back({storage.rootPath().toStdString(), storage.name().toStdString(),
                           IsRemovableDevice(storage.device().toStdString())});
    }
    return volumes;
}

} // namespace korvane
