// Whether a mounted device is one a user plugs in and pulls out again, as the kernel tells it
// through sysfs.
#pragma once

#include <string>

namespace korvane {

// device: the mounted device as the system names it ("/dev/sdb1", or a link to it such as
// "/dev/disk/by-label/TARVO"), known to the kernel by the node's name; sysBlock: the kernel's
// folder of block devices, another folder in tests. False for anything that is not a block device
// (tmpfs, network shares).
bool IsRemovableDevice(const std::string& device, const std::string& sysBlock = "/sys/class/block");

} // namespace korvane
