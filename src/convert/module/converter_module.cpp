// The entry of the converter's module: the program finds this by name once it has loaded it.
#include "convert/converter_functions.h"
#include "convert/mp3_encoder.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"

extern "C" __attribute__((visibility("default"))) const korvane::ConverterFunctions*
KorvaneConverterFunctions()
{
    static const korvane::ConverterFunctions functions{
        &korvane::DecodeRecording, &korvane::Resampled, &korvane::MeasureLoudness,
        &korvane::EncodedMp3};
    return &functions;
}
