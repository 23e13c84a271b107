// The drive map of the running program: the system's drives on Windows; elsewhere c: a
// per-user data folder, d: the home folder, e: onwards the mounted removable volumes, z: the
// host root. KORVANE_DRIVES replaces it.
#pragma once

#include "disk/disk.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// Parses "c=/srv/k/c;e=/media/u/DEV:DEVICE" (letter=host folder, optional :LABEL).
// nullopt with a reason in error when the text is malformed.
std::optional<std::vector<DriveMapping>> ParseDriveMap(const std::string& text, std::string& error);

// A mounted volume as the host reports it.
struct Volume {
    std::string root;       // its mount point
    std::string label;      // its volume label; empty for none
    bool removable = false; // the system counts its device as one a user plugs in
};

// Reads the mounted volumes afresh at every call.
using VolumeSource = std::function<std::vector<Volume>()>;

// The drives with the volume letters e: to y: brought up to date: a removable volume still
// mounted keeps its letter (and takes its current label), one that went loses it, and the new
// ones take the first free letters in the order of their mount points. The other drives stay.
std::vector<DriveMapping> WithRemovableVolumes(const std::vector<DriveMapping>& drives,
                                               const std::vector<Volume>& volumes);

// The default map. On Windows: the system's own drives, each with its volume label. Elsewhere:
// c: a per-user data folder (made when it is missing; XDG_DATA_HOME), d: the home folder, the
// mounted removable volumes from e:, z: the host root.
std::vector<DriveMapping> DefaultDriveMap(const std::vector<Volume>& volumes);
// The default map read again: the drives of the system now on Windows, elsewhere the current
// map with its removable volumes brought up to date (WithRemovableVolumes).
std::vector<DriveMapping> RefreshedDriveMap(const std::vector<DriveMapping>& current,
                                            const std::vector<Volume>& volumes);

// Where the drives come from: KORVANE_DRIVES when it is set, fixed for the whole run;
// otherwise the default map, whose removable volumes are read again at every refresh.
class DriveSource {
public:
    // nullopt with the reason in error when KORVANE_DRIVES is malformed.
    static std::optional<DriveSource> FromEnvironment(VolumeSource volumes, std::string& error);

    const std::vector<DriveMapping>& Drives() const { return drives_; }
    // The map after the volumes were read again; drives given by KORVANE_DRIVES never change.
    std::vector<DriveMapping> Refreshed(const std::vector<DriveMapping>& current) const;

private:
    std::vector<DriveMapping> drives_;
    VolumeSource volumes_; // empty when the map is fixed
};

} // namespace korvane
