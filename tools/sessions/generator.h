// Random sessions for korvane-replay: a scene with odd names (blanks, upper case, letters
// beyond ASCII, names that differ only in case) and playlists with every kind of line end,
// then random user input, queued answers and picks, disk faults and input that arrives during
// a yield, each step followed by a look at the whole window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::sessions {

// The lines of one session script; the same seed always gives the same lines.
std::vector<std::string> GenerateSession(std::uint64_t seed);

// The lines that look at the whole window: every control and field, and the rows of the
// folder and drive lists, which the control lines leave out.
std::vector<std::string> LookLines();

} // namespace korvane::sessions
