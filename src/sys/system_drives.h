// The drives of a system that has drive letters of its own (Windows), as it reports them.
#pragma once

#include <string>
#include <vector>

namespace korvane {

struct SystemDrive {
    char letter = 'c';      // lower case
    std::string root;       // "C:\"
    std::string label;      // the volume label; empty for none, or for a drive without a medium
    bool removable = false; // a drive whose medium a user takes out (a stick, a card)
};

// Every drive letter in use, in order; drives the system cannot say anything of are left out.
std::vector<SystemDrive> SystemDrives();

} // namespace korvane
