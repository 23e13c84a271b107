// tone PATH SECONDS DBFS [HZ [RATE [CHANNELS]]]: a recording to convert, made in the scene: a
// sine of HZ (default 1000) with its peak at DBFS, as 16-bit PCM WAV at RATE (default 44100)
// with CHANNELS (default 2) alike.
#include "command_handlers.h"
#include "convert/wav_bytes.h"
#include "session.h"

namespace korvane::replay {

Action ToneCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 3, 6, "tone PATH SECONDS DBFS [HZ [RATE [CHANNELS]]]");
    const std::int64_t seconds = ParseInteger(in.arguments[1]);
    const std::int64_t dbfs = ParseInteger(in.arguments[2]);
    const auto optional = [&in](std::size_t index, std::int64_t fallback) {
        return in.arguments.size() > index ? ParseInteger(in.arguments[index]) : fallback;
    };
    const std::int64_t hz = optional(3, 1000), rate = optional(4, 44100), channels = optional(5, 2);
    if (seconds < 0 || seconds > 600 || dbfs > 0 || dbfs < -120 || hz < 1 || rate < 8000 ||
        rate > 192000 || hz * 2 >= rate || channels < 1 || channels > 8)
        throw ScriptError("usage: tone PATH SECONDS DBFS [HZ [RATE [CHANNELS]]] "
                          "(0-600 s, a peak of 0 dBFS or less, HZ below half the RATE)");
    return [&s, path = in.arguments[0].text, seconds, dbfs, hz, rate, channels] {
        s.scene.writeFile(path, WavBytes(Tone(double(seconds), double(dbfs), double(hz), int(rate),
                                              int(channels))));
    };
}

} // namespace korvane::replay
