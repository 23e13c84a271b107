// A fresh temporary folder whose sub-folders serve as drives ("<root>/c" is c:, ...), removed
// again when the object goes. Files are set up and inspected on the host side, so a test sees
// exactly what the disk layer wrote, case included.
#pragma once

#include "disk/disk.h"

#include <map>
#include <string>
#include <string_view>

namespace korvane::test {

class TempDrives {
public:
    // One drive per letter, each an empty folder.
    explicit TempDrives(std::string letters = "cd");
    ~TempDrives();
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    const std::string& root() const { return root_; }
    // The host folder of a drive.
    std::string host(char letter) const;
    // The volume label the drive list shows ("e: [LABEL]"); call before map() or disk().
    void setLabel(char letter, std::string label);

    std::vector<DriveMapping> map() const;
    Disk disk() const;

    // The helpers below take either a Windows path taken literally, without case matching
    // ("d:\kit\Taps.mp3", "d:/kit/Taps.mp3"), or a path relative to root() ("d/kit/Taps.mp3").
    std::string hostPath(std::string_view path) const;
    // Writes a file, making its folders as needed.
    void writeFile(std::string_view path, std::string_view bytes) const;
    // The file's bytes; throws std::runtime_error when it cannot be read.
    std::string readFile(std::string_view path) const;
    bool exists(std::string_view path) const;
    bool isFolder(std::string_view path) const;
    // Makes the folder and its parents.
    void makeFolder(std::string_view path) const;
    // The names in the folder as the host stores them, hidden ones too, in byte order.
    std::vector<std::string> entries(std::string_view folder) const;

private:
    std::string root_;
    std::string letters_;
    std::map<char, std::string> labels_;
};

} // namespace korvane::test
