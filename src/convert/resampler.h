// Sound brought to another sample rate with libsamplerate, its length kept.
#pragma once

#include "convert/pcm.h"

namespace korvane {

Pcm Resampled(const Pcm& pcm, int rate);

} // namespace korvane
