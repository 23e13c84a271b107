#include "gui/desktop/display.h"

#include <cstdlib>

namespace korvane {

std::string MissingDisplayMessage()
{
    // An X or Wayland desktop names itself in the environment; QT_QPA_PLATFORM picks another
    // way to draw (offscreen, a framebuffer).
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return {};
    }
    return "korvane: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
           "Run it on a desktop, or without one under a virtual display:\n"
           "  xvfb-run ./build/korvane\n";
}

} // namespace korvane
