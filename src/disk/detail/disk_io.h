// Private to the disk layer: the byte work on host files. Each function returns 0 or the
// errno of its failure, so the caller can name the operation and the Windows path.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Replaces the destination atomically and durably with a copy of the source: the copy's data
// reaches the medium before it is renamed over the destination, and the folder after, so a
// failure or a power cut leaves the old file or the new one, never a torn one. A copy onto the
// source itself fails instead of emptying it.
// Each copy below tells written the bytes of every piece it has written; when written returns
// false the copy stops and fails with ECANCELED.
using Written = std::function<bool(std::int64_t bytes)>;

CopyResult copyFile(const std::filesystem::path& from, const std::filesystem::path& to,
                    const Written& written = {});

// Writes a copy of the source into a new temporary file beside the destination (temp: its
// path) and leaves it there, not yet flushed; the caller renames or removes it. On failure no
// temporary file is left.
CopyResult copyToTemp(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::filesystem::path& temp, const Written& written = {});

// Writes a temporary file beside target, makes it durable and renames it over target, then
// flushes the folder, so a failure leaves the old file as it was; the temporary file is removed
// again on failure.
int replaceFile(const std::filesystem::path& target, std::string_view bytes);

// Removes the temporary files a write cut off in an earlier run left in folder (a cable pulled
// in the middle of an upload); those of a process still running stay. How many went.
int removeLeftovers(const std::filesystem::path& folder);

// Forces a folder's entries (names made, renamed or removed) to the medium; 0 or the errno.
int syncFolder(const std::filesystem::path& folder);

// Compares a file on the medium with another file: the medium's file, flushed before, is read
// with its cached pages dropped first, so the bytes come from the device rather than memory. 0 and
// same set, or the errno of the first read that failed (sourceFailed: of the other file).
struct Comparison {
    int error = 0;
    bool sourceFailed = false;
    bool same = false;
};
Comparison compareFromMedium(const std::filesystem::path& source,
                             const std::filesystem::path& onMedium);

// Writes out everything pending on the file system that holds folder; 0 or the errno.
int syncFileSystem(const std::filesystem::path& folder);

} // namespace korvane::disk_io
