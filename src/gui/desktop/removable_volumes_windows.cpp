#include "gui/desktop/removable_volumes.h"

namespace korvane {

std::vector<Volume> MountedVolumes()
{
    // Windows gives every volume a drive letter of its own, and the drive map takes the
    // system's drives as they are (DefaultDriveMap): there are no mounts to letter.
    return {};
}

} // namespace korvane
