// The freedesktop.org trash: a file on the home's volume goes to the home trash, one on another
// volume to that volume's trash at its top folder ($topdir/.Trash/$uid when the administrator
// made .Trash, sticky and not a link; else $topdir/.Trash-$uid). Each file is renamed into
// files/ under a name reserved by creating its info/NAME.trashinfo first, so two programs
// trashing at once never take the same name.
#include "sys/trash.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvane {

namespace {

// A trash folder and the folder its Path= lines are relative to (empty: absolute paths).
struct TrashFolder {
    fs::path folder;
    fs::path top;
};

std::optional<dev_t> volumeOf(const fs::path& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return std::nullopt;
    return status.st_dev;
}

// The volume of a folder that may not exist yet: that of the nearest folder on its way.
std::optional<dev_t> volumeOfFolder(fs::path folder)
{
    while (folder.has_relative_path() && !volumeOf(folder))
        folder = folder.parent_path();
    return volumeOf(folder);
}

fs::path homeTrash()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return fs::path(data) / "Trash";
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return fs::path(home) / ".local/share/Trash";
    return {};
}

// The top folder of the volume that holds path: the last folder on the way up on its volume.
fs::path topOfVolume(const fs::path& path, dev_t volume)
{
    fs::path top = path.parent_path();
    while (top.has_relative_path()) {
        const std::optional<dev_t> above = volumeOf(top.parent_path());
        if (above != volume)
            break;
        top = top.parent_path();
    }
    return top;
}

bool makeFolder(const fs::path& folder)
{
    if (mkdir(folder.c_str(), 0700) == 0)
        return true;
    struct stat status {};
    return errno == EEXIST && lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool makeTrashFolders(const fs::path& trash)
{
    return makeFolder(trash) && makeFolder(trash / "files") && makeFolder(trash / "info");
}

std::string uid()
{
    return std::to_string(getuid());
}

// The trash of the volume whose top folder is top, made when missing; nullopt when it cannot be.
std::optional<fs::path> volumeTrash(const fs::path& top, bool make)
{
    struct stat shared {};
    const fs::path admin = top / ".Trash";
    if (lstat(admin.c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
        (shared.st_mode & S_ISVTX) != 0) {
        const fs::path own = admin / uid();
        if (!make || makeTrashFolders(own))
            return own;
    }
    const fs::path own = top / (".Trash-" + uid());
    if (!make || makeTrashFolders(own))
        return own;
    return std::nullopt;
}

std::optional<TrashFolder> trashFor(const fs::path& file, const fs::path& home)
{
    const std::optional<dev_t> volume = volumeOf(file);
    if (!volume)
        return std::nullopt;
    if (!home.empty()) {
        if (volumeOfFolder(home) == volume) {
            std::error_code error;
            fs::create_directories(home.parent_path(), error);
            if (!error && makeTrashFolders(home))
                return TrashFolder{home, {}};
            return std::nullopt;
        }
    }
    const fs::path top = topOfVolume(file, *volume);
    if (const std::optional<fs::path> trash = volumeTrash(top, true))
        return TrashFolder{*trash, top};
    return std::nullopt;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

Trash Trash::System()
{
    return Trash(homeTrash(), true);
}

bool Trash::take(const fs::path& file) const
{
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error).lexically_normal();
    if (error)
        return false;
    const std::optional<TrashFolder> trash = trashFor(absolute, home_);
    if (!trash)
        return false;
    const std::string original =
        trash->top.empty() ? absolute.string() : absolute.lexically_relative(trash->top).string();
    const std::string info = trash_info::Text(original, trash_info::LocalTimeNow());
    for (int n = 1; n < 10000; ++n) {
        const std::string name = trash_info::NameForTry(absolute.filename().string(), n);
        const fs::path infoFile = trash->folder / "info" / (name + ".trashinfo");
        const int fd = open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return false;
        const fs::path stored = trash->folder / "files" / name;
        struct stat taken {};
        const bool written = writeAll(fd, info);
        const bool closed = close(fd) == 0;
        // A name free in info/ but taken in files/ (a trash left half-written) is passed by.
        const bool free = lstat(stored.c_str(), &taken) != 0 && errno == ENOENT;
        // rename never copies: across volumes it fails, and the file stays where it was.
        if (written && closed && free && rename(absolute.c_str(), stored.c_str()) == 0)
            return true;
        unlink(infoFile.c_str());
        if (!free && written && closed)
            continue;
        return false;
    }
    return false;
}

std::vector<TrashedFile> Trash::contents(const std::vector<fs::path>& volumes) const
{
    std::vector<TrashedFile> files;
    if (!home_.empty())
        files = trash_info::Listing(home_, {});
    std::vector<fs::path> tops;
    for (const fs::path& path : volumes) {
        const std::optional<dev_t> volume = volumeOf(path);
        // Files on the home trash's volume went to the home trash, never to its top's.
        if (!volume || (!home_.empty() && volumeOfFolder(home_) == volume))
            continue;
        const fs::path top = topOfVolume(fs::absolute(path) / "x", *volume);
        if (std::find(tops.begin(), tops.end(), top) != tops.end())
            continue;
        tops.push_back(top);
        for (const fs::path& trash : {top / ".Trash" / uid(), top / (".Trash-" + uid())}) {
            std::vector<TrashedFile> more = trash_info::Listing(trash, top);
            files.insert(files.end(), more.begin(), more.end());
        }
    }
    return files;
}

} // namespace korvane
