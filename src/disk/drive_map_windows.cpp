// The default drive map on Windows: the system's own drives, as they are now.
#include "disk/drive_map.h"
#include "sys/system_drives.h"

namespace korvane {

std::vector<DriveMapping> DefaultDriveMap(const std::vector<Volume>&)
{
    std::vector<DriveMapping> drives;
    for (const SystemDrive& drive : SystemDrives())
        drives.push_back({drive.letter, drive.root, drive.label});
    return drives;
}

std::vector<DriveMapping> RefreshedDriveMap(const std::vector<DriveMapping>&,
                                            const std::vector<Volume>& volumes)
{
    // Drives come and go with their media: the system's list now is the map.
    return DefaultDriveMap(volumes);
}

} // namespace korvane
