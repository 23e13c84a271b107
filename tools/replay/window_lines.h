// How the window looks in the transcript: one line per control, one per window field.
#pragma once

#include "form/form1.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::replay {

std::string ControlLine(const Control& control);
// The rows of a folder list (each folder's own name, the root as "c:\") or a drive list (its
// entries), top to bottom.
std::vector<std::string> ControlRows(const Control& control);
// FIELD=VALUE for a window field of that name; nullopt when there is none.
std::optional<std::string> FieldLine(const Form1& form, std::string_view field);
// Every field in the window's order.
std::vector<std::string> FieldLines(const Form1& form);

} // namespace korvane::replay
