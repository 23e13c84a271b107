// The mounted volumes as Qt's storage information reports them, each with the system's
// removable flag of its device; the drive map letters the removable ones.
#pragma once

#include "disk/drive_map.h"

#include <vector>

namespace korvane {

// The volumes mounted and ready now, labelled with their volume names.
std::vector<Volume> MountedVolumes();

} // namespace korvane
