// Reads a recording held in memory into samples: WAV, AIFF, FLAC, Ogg Vorbis, Opus and MP3, as
// libsndfile decodes them (MP3 through mpg123). Reading from memory keeps every file operation
// in the disk layer, with its Windows paths and its faults.
#pragma once

#include "convert/pcm.h"

#include <string_view>

namespace korvane {

// Throws ConversionRefused with the reason when the bytes are no recording it can read.
Pcm DecodeRecording(std::string_view bytes);

// Whether this build has the libraries that decode, resample, measure and encode; without
// them every conversion and measurement is refused, saying so.
bool ConverterBuilt();

} // namespace korvane
