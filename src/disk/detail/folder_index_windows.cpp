// Names on Windows: the system matches them without regard to case and tells each name as it
// is stored, so no folder needs an index of its own, and a listing is read when asked.
#include "disk/detail/disk_paths.h"

#include "sys/host_files.h"
#include "sys/host_files_windows.h"

#include <windows.h>

namespace fs = std::filesystem;

namespace korvane::disk_paths {

std::optional<std::string> FolderIndexes::storedName(const fs::path& folder,
                                                     const std::string& name)
{
    // Wildcards would be taken as a pattern, a colon as a drive or a stream; no stored name
    // holds one.
    if (name.find_first_of("*?:") != std::string::npos)
        return std::nullopt;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileExW((folder / host::PathOf(name)).c_str(), FindExInfoBasic,
                                           &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return std::nullopt;
    ::FindClose(find);
    return host::Narrow(data.cFileName);
}

std::vector<Entry> FolderIndexes::list(const fs::path& folder, std::error_code& error)
{
    return readFolder(folder, error);
}

void FolderIndexes::created(const fs::path&) {}

void FolderIndexes::removed(const fs::path&) {}

} // namespace korvane::disk_paths
