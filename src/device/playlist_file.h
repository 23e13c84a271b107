// The playlist file: names in the ANSI code page, CR LF between entries and none after the
// last; its writer (one yield after each entry) and its line reader.
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

} // namespace korvane
