// The world a scenario sets up: drives as host folders under the root, the current folder the
// window starts in, and the folders and files the script writes. Files are written on the host
// directly, so the faults meant for the program never hit them.
#pragma once

#include "disk/disk.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::replay {

class Scene {
public:
    explicit Scene(std::filesystem::path root) : root_(std::move(root)) {}

    // Maps letter to ROOT/letter and makes that folder; with host, onto that existing folder
    // instead, which the scene never removes.
    void addDrive(char letter, std::string label, std::string host = "");
    // Every drive declared so far; c alone when none is.
    std::vector<DriveMapping> driveMap();

    // The folder that stands for the user's trash: under the root, never the user's own.
    std::filesystem::path trashFolder() const { return root_ / "trash"; }

    void setWorkingFolder(std::string path) { workingFolder_ = std::move(path); }
    const std::string& workingFolder() const { return workingFolder_; }

    // Paths resolve through the program's disk once it exists, so both see the same files.
    void attachDisk(const Disk* disk) { disk_ = disk; }
    std::filesystem::path hostPath(std::string_view windowsPath);

    void makeFolder(std::string_view path);
    // Files are written with their folder made first when it is missing.
    void writeFile(std::string_view path, std::string_view bytes);
    // size bytes of 'x'.
    void writeFilledFile(std::string_view path, std::uint64_t size);
    void writeKit(std::string_view folder);

private:
    // The disk paths resolve through: the program's once attached, else one of the scene's own.
    const Disk& disk();
    // Writes through write into the host file of path; the disk learns of the file, so a scene
    // of thousands of files does not make it read their folder for each.
    void writeHostFile(std::string_view path, const std::function<void(std::ofstream&)>& write);

    std::filesystem::path root_;
    std::vector<DriveMapping> drives_;
    bool defaultUsed_ = false;
    std::string workingFolder_ = "c:\\";
    const Disk* disk_ = nullptr;
    std::optional<Disk> sceneDisk_; // made again when a drive is added
};

} // namespace korvane::replay
