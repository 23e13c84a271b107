#include "gui/desktop/display.h"

namespace korvane {

std::string MissingDisplayMessage()
{
    return {}; // a Windows session always has its desktop
}

} // namespace korvane
