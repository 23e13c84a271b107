// The converter as the program sees it on Linux: each function goes to the converter's module,
// loaded at the first call. A module that cannot be loaded refuses every conversion and
// measurement, saying why.
#include "convert/conversion_refused.h"
#include "convert/converter_functions.h"
#include "convert/mp3_encoder.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"
#include "sys/program_module.h"

#include <string>

namespace korvane {

namespace {

const ConverterFunctions& Functions()
{
    static const ModuleFunctions<ConverterFunctions> converter =
        LoadModuleFunctions<ConverterFunctions>({KORVANE_CONVERTER_MODULE_NAME,
                                                 KORVANE_CONVERTER_MODULE_BUILT,
                                                 KORVANE_CONVERTER_MODULE_FROM_PROGRAM},
                                                kConverterEntry, "the converter's module");
    if (!converter.functions)
        throw ConversionRefused(converter.why);
    return *converter.functions;
}

} // namespace

Pcm DecodeRecording(std::string_view bytes)
{
    return Functions().decode(bytes);
}

bool ConverterBuilt()
{
    return true;
}

Pcm Resampled(const Pcm& pcm, int rate)
{
    return Functions().resample(pcm, rate);
}

Loudness MeasureLoudness(const Pcm& pcm, bool truePeak)
{
    return Functions().measure(pcm, truePeak);
}

std::string EncodedMp3(const Pcm& pcm, int kbps)
{
    return Functions().encode(pcm, kbps);
}

} // namespace korvane
