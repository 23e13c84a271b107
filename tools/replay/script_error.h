// A fault of the scenario script itself (unknown command, bad argument, a box nobody answered):
// the run stops and the transcript ends with the line and the reason.
#pragma once

#include <string>
#include <utility>

namespace korvane::replay {

// Not a std::exception on purpose: the window turns every std::exception inside a handler into
// a message box, and a fault of the script must stop the run instead.
class ScriptError {
public:
    explicit ScriptError(std::string why) : why_(std::move(why)) {}
    const char* what() const noexcept { return why_.c_str(); }

private:
    std::string why_;
};

} // namespace korvane::replay
