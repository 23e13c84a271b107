// What an upload writes, whether the device has room for it, and what the user is told when it
// has not or when the device does not hold what was written.
#pragma once

#include "disk/disk.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

struct UploadCopy {
    std::string source;
    std::string destination;
};

// The copies one sound file brings with it, in upload order: the sound file itself, the ten
// playlists, the companion files and the extra recordings under their device names.
std::vector<UploadCopy> CopiesForCall(const std::string& source, const std::string& destination,
                                      const std::string& name);

// The bytes the copies add to the destination's volume as it counts them, in whole clusters
// when it says how large they are: a new file adds its size, a replaced one only its growth.
// A later copy to the same file replaces an earlier one.
std::int64_t BytesAdded(const Disk& disk, const std::vector<UploadCopy>& copies,
                        std::int64_t clusterBytes);

// Both figures of one pass: what the copies add (BytesAdded), and the room they take at once
// while all are staged beside the files they replace, which hold their room until the copies
// take their names.
struct RoomNeeded {
    std::int64_t added = 0;
    std::int64_t peak = 0;
};
RoomNeeded Needs(const Disk& disk, const std::vector<UploadCopy>& copies,
                 std::int64_t clusterBytes);

// A call on the player that the upload does not write: one the sound folder no longer has.
struct OldCall {
    std::string path;       // Windows path
    std::int64_t bytes = 0; // its room, in whole clusters
};
std::vector<OldCall> OldCalls(const Disk& disk, const std::string& destination,
                              const std::vector<UploadCopy>& copies, std::int64_t clusterBytes);

std::string NoRoomMessage(std::int64_t needed, std::int64_t free);
// No room, but removing the old calls would make it: the question whether to.
std::string OldCallsMessage(std::int64_t needed, std::int64_t free,
                            const std::vector<OldCall>& old);
// The files one per line, indented; the first ten, then how many more.
std::string NameList(const std::vector<std::string>& files);
// files: those that differ, of checked files read back.
std::string DifferingFilesMessage(const std::vector<std::string>& files, std::size_t checked);

} // namespace korvane
