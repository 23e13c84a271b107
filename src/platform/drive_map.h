// The drive map of the running program: c: a per-user data folder, d: the home folder,
// e: onwards the mounted removable volumes, z: the host root; KORVANE_DRIVES replaces it.
#pragma once

#include "platform/disk.h"

#include <optional>
#include <string>
#include <vector>

namespace korvane {

// Parses "c=/srv/k/c;e=/media/u/DEV:DEVICE" (letter=host folder, optional :LABEL).
// nullopt with a reason in error when the text is malformed.
std::optional<std::vector<DriveMapping>> ParseDriveMap(const std::string& text, std::string& error);

// A mounted removable volume as the host reports it.
struct Volume {
    std::string root;
    std::string label;
};

// The default map from the environment (HOME, XDG_DATA_HOME) and the removable volumes;
// creates the folder of drive c: when it is missing.
std::vector<DriveMapping> DefaultDriveMap(const std::vector<Volume>& removable);

} // namespace korvane
