#include "sys/program_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace korvane {

LoadedModule LoadProgramModule(const ModulePlaces& places, const char* entry,
                               const std::string& what)
{
    LoadedModule loaded;
    loaded.why = what + " " + places.name + " is missing";
    std::error_code error;
    const std::filesystem::path program =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& candidate :
         {program / places.name, std::filesystem::path(places.built),
          program / places.fromProgram}) {
        if (!std::filesystem::exists(candidate, error))
            continue;
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        loaded.entry = module ? ::dlsym(module, entry) : nullptr;
        if (!loaded.entry) {
            const char* problem = ::dlerror();
            loaded.why =
                what + " cannot be loaded: " + std::string(problem ? problem : candidate.string());
            continue;
        }
        loaded.why.clear();
        return loaded;
    }
    return loaded;
}

} // namespace korvane
