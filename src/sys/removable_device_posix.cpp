// The removable flag of a block device: the kernel's "removable" attribute of its disk, plus the
// two kinds of disk a user unplugs although the kernel calls their medium fixed.
#include "sys/removable_device.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane {

namespace {

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

bool IsRemovableDevice(const std::string& device, const std::string& sysBlock)
{
    // Network shares ("server:/export") and pseudo file systems ("tmpfs") have no node.
    if (!device.starts_with('/'))
        return false;
    std::error_code error;
    fs::path node = fs::canonical(device, error);
    if (error)
        node = device;
    fs::path disk = fs::canonical(fs::path(sysBlock) / node.filename(), error);
    if (error)
        return false;
    // A partition's folder lies inside its disk's, and only the disk carries the flags.
    if (fs::exists(disk / "partition", error))
        disk = disk.parent_path();

    if (firstLine(disk / "removable") == "1")
        return true;
    // The SD card driver leaves the flag off, since the slot stays when the card goes; the
    // card's own type tells it apart from soldered-in memory ("MMC").
    if (firstLine(disk / "device" / "type") == "SD")
        return true;
    // Disks on USB often report a fixed medium, yet they are unplugged like any stick.
    for (const fs::path& part : disk) {
        if (part.native().starts_with("usb"))
            return true;
    }
    return false;
}

} // namespace korvane
