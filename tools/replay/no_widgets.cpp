// A build without the window has no --gui mode.
#include "frontend.h"

#include <stdexcept>

namespace korvane::replay {

bool WidgetFrontendBuilt()
{
    return false;
}

std::unique_ptr<Frontend> MakeWidgetFrontend(Transcript&, ScriptedBoxes&, ScriptedPicker&,
                                             ScriptedPump&)
{
    throw std::logic_error("korvane-replay was built without the window");
}

} // namespace korvane::replay
