// Private to the disk layer: the byte work on host files. Each function returns 0 or the
// errno of its failure, so the caller can name the operation and the Windows path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::disk_io {

int readWhole(const std::filesystem::path& file, std::string& bytes);

// CR LF or CR ends a line, a lone LF stays in the line, a final terminator gives no empty line.
std::vector<std::string> splitLines(std::string_view bytes);

struct CopyResult {
    int error = 0;
    bool sourceFailed = false; // the source could not be read, rather than the copy written
};

// Replaces the destination atomically with a copy of the source; a failure leaves the
// destination as it was. A copy onto the source itself fails instead of emptying it.
CopyResult copyFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Writes a temporary file beside target and renames it over target, so a failure leaves the
// old file as it was; the temporary file is removed again on failure.
int replaceFile(const std::filesystem::path& target, std::string_view bytes);

// Writes out everything pending on the file system that holds folder; 0 or the errno.
int syncFileSystem(const std::filesystem::path& folder);

} // namespace korvane::disk_io
