// A fault of the scenario script itself (unknown command, bad argument, a box nobody answered):
// the run stops and the transcript ends with the line and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace korvane::replay {

class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& why) : std::runtime_error(why) {}
};

} // namespace korvane::replay
