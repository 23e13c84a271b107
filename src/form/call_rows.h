// Which file a row of a call list names: the rows of File2 and File1 are files of the folder
// that list shows, the rows of List1 calls of the sound folder. Looked up only when a user
// points at a row (to hear it or see its length), never by the window's own operations.
#pragma once

#include "form/form1.h"

#include <string>
#include <string_view>

namespace korvane {

// The Windows path of the call named by a row of list ("File2", "List1" or "File1"); "" for
// any other list, and for List1 while no sound folder is confirmed.
std::string CallPathOfRow(const Form1& f, std::string_view list, const std::string& name);

} // namespace korvane
