// The playlist file: names in the ANSI code page, CR LF between entries and none after the
// last; its writer (one yield after each entry), its line reader, and its loading into List1,
// which choosing a folder, choosing a slot and uploading all do.
#pragma once

#include <string>
#include <vector>

namespace korvane {

class Form1;

// The bytes of a playlist holding these names. Throws PlatformError naming path when a name
// cannot be written in the ANSI code page.
std::string PlaylistBytes(const std::vector<std::string>& names, const std::string& path);

// Writes the rows of List1 to path, yielding to window events after each row. The file is
// replaced in one step at the end, so a failure leaves the old file as it was.
void WritePlaylistFile(Form1& f, const std::string& path);

// The lines of a playlist file, as UTF-8.
std::vector<std::string> ReadPlaylistLines(Form1& f, const std::string& path);

// Loads the playlist file at path into List1, keeping the lines that name a file File2 lists
// (exact, case included; a name listed twice in the file is added twice). A missing file is
// announced with the slot's message and created empty, and List1 keeps its rows.
// With reportUnmatched, a line that matched nothing is announced until the first line matches.
void LoadPlaylistFile(Form1& f, int slot, const std::string& path, bool reportUnmatched);

std::string MissingPlaylistMessage(int slot);

} // namespace korvane
