#include "convert/call_loudness.h"

#include "convert/conversion_refused.h"
#include "convert/recording_decoder.h"

namespace korvane {

CallLoudness MeasureCallLoudness(std::string_view bytes)
{
    CallLoudness call;
    try {
        call.loudness = MeasureLoudness(DecodeRecording(bytes));
        call.audio = true;
    } catch (const ConversionRefused& refused) {
        call.problem = refused.what();
    }
    return call;
}

} // namespace korvane
