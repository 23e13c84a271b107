// A part of the program built as a module of its own and loaded at its first use, so that a
// start that never needs it does not load the libraries it links (the converter's, TagLib's).
// Linux only: the Windows build links those parts into the program.
#pragma once

#include <string>
#include <utility>

namespace korvane {

// Where a module may be: beside the program, where the build put it, and where the package
// installs it, relative to the program so that an installed tree can move.
struct ModulePlaces {
    const char* name;
    const char* built;
    const char* fromProgram;
};

struct LoadedModule {
    void* entry = nullptr; // the module's entry, for the caller to cast to its own type
    std::string why;       // why it could not be loaded
};

// Loads the first place that holds the module, for the rest of the run (its functions live in
// it), and finds its entry, a C function of that name. what names the module in the reason a
// load failed ("the converter's module").
LoadedModule LoadProgramModule(const ModulePlaces& places, const char* entry,
                               const std::string& what);

// The table of functions a module hands the program, or why there is none.
template <typename Functions> struct ModuleFunctions {
    const Functions* functions = nullptr;
    std::string why;
};

// Loads the module and calls its entry, which returns the module's table of functions.
template <typename Functions>
ModuleFunctions<Functions> LoadModuleFunctions(const ModulePlaces& places, const char* entry,
                                               const std::string& what)
{
    LoadedModule loaded = LoadProgramModule(places, entry, what);
    if (!loaded.entry)
        return {nullptr, std::move(loaded.why)};
    using Entry = const Functions* (*)();
    return {reinterpret_cast<Entry>(loaded.entry)(), {}};
}

} // namespace korvane
