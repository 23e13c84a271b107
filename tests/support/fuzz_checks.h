// What must hold for any input to the playlist reader, the path resolution, the drive map
// parser, the text helpers and the call-information reader. The fuzz targets (fuzz/) stop at the
// first input that breaks one; the regression test replays the saved inputs through the same
// checks.
#pragma once

#include "disk/disk.h"
#include "support/temp_drives.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::test {

// Each broken property in words, with what was seen; empty when everything held.
using Violations = std::vector<std::string>;

// Bytes as a message shows them: printable ASCII as it is, the rest as \xNN, in quotes.
std::string Shown(std::string_view bytes);

// The input is the bytes of a playlist file on drive c:. Its lines hold no CR, are text the
// ANSI code page can hold, account for every byte, and survive the playlist writer unchanged.
class PlaylistReadCheck {
public:
    PlaylistReadCheck();
    ~PlaylistReadCheck();
    Violations check(std::string_view bytes);

private:
    struct Window;
    TempDrives scratch_{"c"};
    std::unique_ptr<Window> window_;
};

// The input is a Windows path, or "current folder\npath". It is resolved over a fixed tree on
// the drives c: and d: (e: is mapped to a folder that is gone): the absolute path is in its
// plain form, the host path never leaves the drive's folder, and what exists can be listed,
// measured, read and entered.
class PathCheck {
public:
    PathCheck();
    Violations check(std::string_view input);

private:
    TempDrives scratch_{""};
    std::vector<DriveMapping> drives_;
};

// The input is a KORVANE_DRIVES text, or "map\nhost path": a map that parses reads back the
// same when written out again, and a host path maps to a plain Windows path on a mapped drive.
Violations CheckDriveMap(std::string_view input);

// The input is any bytes, or "pattern\nname": lower-casing, the ANSI code page both ways and
// the wildcard match keep their rules.
Violations CheckText(std::string_view input);

// The input is the bytes of a file named .mp3: reading its call information never fails, and
// what it reports as audio has a length its bytes can hold and a format a player knows.
Violations CheckCallInfo(std::string_view input);

} // namespace korvane::test
