// The copying part of an upload, run on a worker while the window keeps answering: every copy
// staged, flushed and read back, and only then all of them given their names. The bar moves as
// it always did, a step per sound file, on the window's thread.
#pragma once

#include "disk/disk.h"
#include "sys/errors.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

class Form1;

struct UploadOutcome {
    enum class End { Complete, Differing, Failed, Stopped };
    End end = End::Complete;
    std::optional<PlatformError> error; // Failed: the first failure
    bool renaming = false;              // Failed while the copies took their names
    std::vector<std::string> differing; // Differing: what reads back otherwise
    std::size_t checked = 0;            // the files read back
    std::vector<std::string> published; // the files that hold the new copy (renaming, batches)
    std::vector<std::string> unpublished;
    std::vector<std::string> removed; // replaced files removed before their copy, for room
    int lastIndex = -1;               // the index of File2 the copying reached
};

// Copies File2's sound files, each with the playlists, companions and extra recordings, to
// UploadDestination; File2 lists at least one name and the folders differ. Stop (Escape) ends
// it with nothing on the player changed, until the copies take their names.
// room: what the volume can take at once, when not every copy fits beside the files it
// replaces; the copies are then read back and named in batches that fit.
UploadOutcome CopyToPlayer(Form1& f, const std::optional<VolumeSpace>& room);

} // namespace korvane
