// The default drive map on Linux and other POSIX systems: a per-user data folder, the home
// folder, the removable volumes and the host root as drives.
#include "disk/drive_map.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace korvane {

namespace {

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

// The per-user data folder; a relative XDG_DATA_HOME is ignored, as the XDG rules say.
std::string dataFolder(const std::string& home)
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return data;
    return home + "/.local/share";
}

} // namespace

std::vector<DriveMapping> DefaultDriveMap(const std::vector<Volume>& volumes)
{
    const std::string home = homeFolder();
    const std::string driveC = dataFolder(home) + "/korvane/drive_c";
    // A folder that cannot be made shows up as a failing disk operation on c: later, with the
    // OS text, which says more than a failure here could.
    std::error_code ignored;
    std::filesystem::create_directories(driveC, ignored);

    return WithRemovableVolumes({{'c', driveC, ""}, {'d', home, ""}, {'z', "/", ""}}, volumes);
}

std::vector<DriveMapping> RefreshedDriveMap(const std::vector<DriveMapping>& current,
                                            const std::vector<Volume>& volumes)
{
    return WithRemovableVolumes(current, volumes);
}

} // namespace korvane
