// The mounted removable volumes, as the drives e: onwards of the default drive map.
#pragma once

#include "platform/drive_map.h"

#include <vector>

namespace korvane {

// Ready volumes mounted under /media, /run/media or /mnt (not the root), labelled with their
// volume name or else their folder's name.
std::vector<Volume> RemovableVolumes();

} // namespace korvane
