// The stand-in for a build made without the libraries that decode, resample, measure and
// encode (the Windows build today): every conversion and measurement is refused, saying why.
#include "convert/conversion_refused.h"
#include "convert/loudness_meter.h"
#include "convert/mp3_encoder.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"

namespace korvane {

namespace {

[[noreturn]] void Refuse()
{
    throw ConversionRefused("this build of Korvane has no converter: it was made without "
                            "libsndfile, libsamplerate, LAME and libebur128");
}

} // namespace

Pcm DecodeRecording(std::string_view)
{
    Refuse();
}

bool ConverterBuilt()
{
    return false;
}

Pcm Resampled(const Pcm&, int)
{
    Refuse();
}

Loudness MeasureLoudness(const Pcm&, bool)
{
    Refuse();
}

std::string EncodedMp3(const Pcm&, int)
{
    Refuse();
}

} // namespace korvane
