// Mono sound encoded as constant bit rate MPEG Layer III with LAME. The first frame is LAME's
// "Info" frame, which tells a reader the encoder's delay and padding, so the length read back
// is the length encoded; LAME leaves it out where a frame is too small to hold it (below
// 56 kbit/s at 22,050 Hz).
#pragma once

#include "convert/pcm.h"

#include <string>

namespace korvane {

// pcm must be mono at a rate MPEG Layer III has; the MP3's bytes, without tags.
std::string EncodedMp3(const Pcm& pcm, int kbps);

} // namespace korvane
