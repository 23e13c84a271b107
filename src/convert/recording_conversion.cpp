#include "convert/recording_conversion.h"

#include "convert/evening_out.h"
#include "convert/loudness_text.h"
#include "convert/mp3_encoder.h"
#include "convert/player_form.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"

#include <cmath>

namespace korvane {

namespace {

// Decibels off the target that are not worth a second encoding.
constexpr double kCloseEnough = 0.1;

} // namespace

Conversion ConvertRecording(std::string_view bytes, bool evenOut)
{
    const Pcm decoded = DecodeRecording(bytes);
    Conversion conversion;
    conversion.evened = evenOut;
    conversion.source = MeasureLoudness(decoded, false);
    Pcm sound = Resampled(MixedToMono(decoded), kPlayerForm.rate);
    if (evenOut) {
        // Measured again as the player will sound it: one channel, at its rate.
        conversion.gain = EvenOutGain(MeasureLoudness(sound), kLoudnessTarget);
        ApplyGain(sound, conversion.gain);
    }
    conversion.mp3 = EncodedMp3(sound, kPlayerForm.kbps);
    if (evenOut && std::isfinite(conversion.source.integrated)) {
        // Encoded and decoded again, the sound comes back some 0.45 dB lower: measured as a
        // player decodes it, and encoded once more with the difference when it missed.
        const double more =
            EvenOutGain(MeasureLoudness(DecodeRecording(conversion.mp3)), kLoudnessTarget);
        if (std::abs(more) > kCloseEnough) {
            ApplyGain(sound, more);
            conversion.gain += more;
            conversion.mp3 = EncodedMp3(sound, kPlayerForm.kbps);
        }
    }
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
