// Whether the window has a screen to go on, asked before the toolkit starts: without one it
// would stop with a message that tells a newcomer nothing.
#pragma once

#include <string>

namespace korvane {

// "" when there is a display; otherwise what to tell the user.
std::string MissingDisplayMessage();

} // namespace korvane
