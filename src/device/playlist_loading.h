// Loading a playlist file into List1, which choosing a folder, choosing a slot and uploading
// all do.
#pragma once

#include <string>

namespace korvane {

class Form1;

// Loads the playlist file at path into List1, keeping the lines that name a file File2 lists
// (exact, case included; a name listed twice in the file is added twice). A missing file is
// announced with the slot's message and created empty, and List1 keeps its rows.
// With reportUnmatched, a line that matched nothing is announced until the first line matches.
void LoadPlaylistFile(Form1& f, int slot, const std::string& path, bool reportUnmatched);

std::string MissingPlaylistMessage(int slot);

} // namespace korvane
