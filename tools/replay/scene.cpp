#include "scene.h"
#include "sys/host_files.h"

#include "device/layout.h"
#include "script_error.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane::replay {

namespace {

// Opens the host file of path for writing, making its folder first when it is missing.
std::ofstream createHostFile(const fs::path& host, std::string_view path)
{
    std::error_code error;
    if (fs::is_directory(host, error))
        throw ScriptError(std::string(path) + " is a folder");
    fs::create_directories(host.parent_path(), error);
    if (error)
        throw ScriptError("cannot make the folder of " + std::string(path) + ": " +
                          error.message());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    if (!out)
        throw ScriptError("cannot write " + std::string(path));
    return out;
}

void finish(std::ofstream& out, std::string_view path)
{
    out.close();
    if (!out)
        throw ScriptError("cannot write " + std::string(path));
}

} // namespace

void Scene::addDrive(char letter, std::string label, std::string host)
{
    for (const DriveMapping& drive : drives_) {
        if (drive.letter == letter)
            throw ScriptError(std::string("drive ") + letter + " is mapped already");
    }
    // The lone c: of a script without drive lines would silently vanish from the map.
    if (defaultUsed_)
        throw ScriptError("drive lines must come before the first path: c: alone is in use");
    if (!host.empty()) {
        std::error_code error;
        const fs::path folder = fs::absolute(host::PathOf(host), error);
        if (error || !fs::is_directory(folder, error))
            throw ScriptError("no such host folder: " + host);
        drives_.push_back({letter, host::TextOf(folder.lexically_normal()), std::move(label)});
        sceneDisk_.reset();
        return;
    }
    const fs::path folder = root_ / std::string(1, letter);
    fs::create_directories(folder);
    drives_.push_back({letter, host::TextOf(folder), std::move(label)});
    sceneDisk_.reset();
}

std::vector<DriveMapping> Scene::driveMap()
{
    if (!drives_.empty())
        return drives_;
    const fs::path host = root_ / "c";
    fs::create_directories(host);
    defaultUsed_ = true;
    return {{'c', host::TextOf(host), ""}};
}

const Disk& Scene::disk()
{
    if (disk_)
        return *disk_;
    if (!sceneDisk_)
        sceneDisk_.emplace(driveMap());
    return *sceneDisk_;
}

fs::path Scene::hostPath(std::string_view windowsPath)
{
    const std::optional<std::string> host = disk().HostPath(windowsPath);
    if (!host)
        throw ScriptError("no drive for " + std::string(windowsPath));
    return host::PathOf(*host);
}

void Scene::makeFolder(std::string_view path)
{
    const fs::path host = hostPath(path);
    std::error_code error;
    fs::create_directories(host, error);
    if (error || !fs::is_directory(host))
        throw ScriptError("cannot make the folder " + std::string(path) +
                          (error ? ": " + error.message() : ""));
    disk().Wrote(host::TextOf(host));
}

void Scene::writeHostFile(std::string_view path, const std::function<void(std::ofstream&)>& write)
{
    const fs::path host = hostPath(path);
    std::ofstream out = createHostFile(host, path);
    write(out);
    finish(out, path);
    disk().Wrote(host::TextOf(host));
}

void Scene::writeFile(std::string_view path, std::string_view bytes)
{
    writeHostFile(path, [&](std::ofstream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

void Scene::writeFilledFile(std::string_view path, std::uint64_t size)
{
    writeHostFile(path, [&](std::ofstream& out) {
        // Written in blocks: a file near the device's capacity is a hundred megabytes.
        const std::string block(1 << 16, 'x');
        for (std::uint64_t left = size; left > 0 && out;) {
            const std::uint64_t count = std::min<std::uint64_t>(left, block.size());
            out.write(block.data(), static_cast<std::streamsize>(count));
            left -= count;
        }
    });
}

void Scene::writeKit(std::string_view folder)
{
    makeFolder(folder);
    const std::string prefix = std::string(folder) + "\\";
    // Each sound file holds its own name, so a copy shows where it came from.
    auto named = [&](std::string_view name) { writeFile(prefix + std::string(name), name); };
    std::string firstPlaylist;
    for (std::string_view call : kFactoryCalls) {
        named(call);
        if (!firstPlaylist.empty())
            firstPlaylist += "\r\n";
        firstPlaylist += call;
    }
    for (const RenamedCopy& extra : kExtraRecordings)
        named(extra.source);
    for (std::string_view companion : kCompanionFiles)
        named(companion);
    writeFile(prefix + PlaylistName(0), firstPlaylist);
    for (int slot = 1; slot <= 9; ++slot)
        writeFile(prefix + PlaylistName(slot), "");
}

} // namespace korvane::replay
