// The converter as the program sees it on Linux: each function goes to the converter's module,
// loaded at the first call. A module that cannot be loaded refuses every conversion and
// measurement, saying why.
#include "convert/conversion_refused.h"
#include "convert/converter_functions.h"
#include "convert/mp3_encoder.h"
#include "convert/recording_decoder.h"
#include "convert/resampler.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

namespace korvane {

namespace {

struct LoadedConverter {
    const ConverterFunctions* functions = nullptr;
    std::string why; // why it could not be loaded
};

// Where the module is: beside the program, where the build put it, or where the package
// installed it (relative to the program, so an installed tree can move).
std::array<std::filesystem::path, 3> ModuleCandidates()
{
    std::error_code error;
    const std::filesystem::path program =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    return {program / KORVANE_CONVERTER_MODULE_NAME, KORVANE_CONVERTER_MODULE_BUILT,
            program / KORVANE_CONVERTER_MODULE_FROM_PROGRAM};
}

LoadedConverter Load()
{
    LoadedConverter loaded;
    loaded.why =
        std::string("the converter's module ") + KORVANE_CONVERTER_MODULE_NAME + " is missing";
    for (const std::filesystem::path& candidate : ModuleCandidates()) {
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            continue;
        // Kept loaded for the rest of the run: the functions live in it.
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        const auto entry =
            module ? reinterpret_cast<ConverterEntry>(::dlsym(module, kConverterEntry)) : nullptr;
        if (!entry) {
            const char* problem = ::dlerror();
            loaded.why = "the converter's module cannot be loaded: " +
                         std::string(problem ? problem : candidate.string());
            continue;
        }
        loaded.functions = entry();
        return loaded;
    }
    return loaded;
}

const ConverterFunctions& Functions()
{
    static const LoadedConverter loaded = Load();
    if (!loaded.functions)
        throw ConversionRefused(loaded.why);
    return *loaded.functions;
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
