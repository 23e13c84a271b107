#include "disk/start_folder.h"

#include "sys/errors.h"

#include <algorithm>

namespace korvane {

StartDrives WithStartFolder(std::vector<DriveMapping> drives, const std::string& currentFolder)
{
    StartDrives start{std::move(drives), 0};
    if (currentFolder.empty() || Disk(start.drives).WindowsPath(currentFolder))
        return start;
    for (char letter = 'c'; letter <= 'z'; ++letter) {
        const bool taken =
            std::any_of(start.drives.begin(), start.drives.end(),
                        [letter](const DriveMapping& drive) { return drive.letter == letter; });
        if (taken)
            continue;
        start.drives.push_back({letter, currentFolder, ""});
        std::sort(start.drives.begin(), start.drives.end(),
                  [](const DriveMapping& a, const DriveMapping& b) { return a.letter < b.letter; });
        start.addedLetter = letter;
        break;
    }
    return start;
}

std::string StartDriveNotice(const StartDrives& start, const std::string& currentFolder)
{
    if (!start.addedLetter)
        return {};
    return "no drive of KORVANE_DRIVES holds the current folder " + currentFolder +
           "; it is drive " + std::string(1, start.addedLetter) + ": for this run";
}

std::string EnterStartFolder(Disk& disk, const std::string& currentFolder)
{
    const auto path = disk.WindowsPath(currentFolder);
    if (!path)
        return {};
    try {
        disk.ChDrive(path->substr(0, 2));
        disk.ChDir(*path);
    } catch (const PlatformError& error) {
        return error.what();
    }
    return {};
}

} // namespace korvane
