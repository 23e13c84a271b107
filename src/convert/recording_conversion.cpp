#include "convert/recording_conversion.h"

#include "convert/evening_out.h"
#include "convert/loudness_text.h"
#include "convert/mp3_encoder.h"
#include "convert/player_form.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"

#include <cmath>

namespace korvane {

Conversion ConvertRecording(std::string_view bytes, bool evenOut)
{
    const Pcm decoded = DecodeRecording(bytes);
    Conversion conversion;
    conversion.evened = evenOut;
    conversion.source = MeasureLoudness(decoded);
    Pcm sound = Resampled(MixedToMono(decoded), kPlayerForm.rate);
    if (evenOut) {
        // Measured again as the player will sound it: one channel, at its rate.
        conversion.gain = EvenOutGain(MeasureLoudness(sound), kLoudnessTarget);
        ApplyGain(sound, conversion.gain);
    }
    conversion.mp3 = EncodedMp3(sound, kPlayerForm.kbps);
    return conversion;
}

std::string EvenedOutNote(const Conversion& conversion)
{
    if (!conversion.evened)
        return {};
    if (!std::isfinite(conversion.source.integrated))
        return "silent: loudness left as it was";
    return "evened out from " + LoudnessFigure(conversion.source.integrated) + " LUFS";
}

} // namespace korvane
