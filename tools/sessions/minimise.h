// Shortens a failing session: drops ever smaller runs of lines for as long as what is left
// still fails the same way.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvane::sessions {

// stillFails is asked about each shorter candidate; it may answer false once it has run out
// of time, which ends the search with the shortest session found so far.
std::vector<std::string>
Minimise(std::vector<std::string> lines,
         const std::function<bool(const std::vector<std::string>&)>& stillFails);

} // namespace korvane::sessions
