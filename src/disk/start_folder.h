// Where the program starts: the drive and folder that hold the process's current folder.
#pragma once

#include "disk/disk.h"

#include <string>
#include <vector>

namespace korvane {

struct StartDrives {
    std::vector<DriveMapping> drives;
    char addedLetter = 0; // the drive made for the current folder; 0 when a drive held it
};

// The drives of the run. A current folder that no drive holds (a KORVANE_DRIVES map without
// it) becomes a drive of its own for the run, the first free letter from c:, so the program
// starts where it was started, with the files there, as it does with the default map. With
// every letter taken the drives stay as they are.
StartDrives WithStartFolder(std::vector<DriveMapping> drives, const std::string& currentFolder);

// What to tell the user about the drive made for the current folder; "" when none was.
std::string StartDriveNotice(const StartDrives& start, const std::string& currentFolder);

// Makes the current folder (a host path) the current drive and folder, if a drive holds it.
// "" on success or when no drive holds it; otherwise why it could not be entered.
std::string EnterStartFolder(Disk& disk, const std::string& currentFolder);

} // namespace korvane
