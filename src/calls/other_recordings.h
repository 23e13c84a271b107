// Recordings in a container of their own: PCM WAV, AIFF, FLAC, Ogg and MP4 (M4A). They hold no
// MP3 stream the player can play, whatever bytes their samples hold. Told by their first bytes,
// so that a long recording is not searched from end to end for an MPEG frame it cannot hold.
#pragma once

#include <string_view>

namespace korvane {

// The first bytes of a file this long are enough to tell.
inline constexpr long kOtherRecordingHead = 22;

bool IsOtherRecording(std::string_view head);

} // namespace korvane
