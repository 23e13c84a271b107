#include "support/temp_drives.h"
#include "sys/host_files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace korvane::test {

namespace {

// A new folder of a unique name in the system's temporary folder.
std::string MakeTempFolder(const std::string& prefix)
{
    const fs::path temp = fs::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = temp / (prefix + std::to_string(random() % 1000000000));
        if (fs::create_directory(folder))
            return folder.string();
    }
    throw std::runtime_error("cannot make a temporary folder under " + temp.string());
}

} // namespace

TempDrives::TempDrives(std::string letters)
    : root_(MakeTempFolder("korvane-test-")), letters_(std::move(letters))
{
    for (char& letter : letters_) {
        letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        fs::create_directory(host(letter));
    }
}

TempDrives::~TempDrives()
{
    std::error_code ignored; // a folder left behind in /tmp must not fail the test run
    fs::remove_all(root_, ignored);
}

std::string TempDrives::host(char letter) const
{
    return root_ + "/" + static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

void TempDrives::setLabel(char letter, std::string label)
{
    labels_[letter] = std::move(label);
}

std::vector<DriveMapping> TempDrives::map() const
{
    std::vector<DriveMapping> drives;
    for (char letter : letters_) {
        const auto label = labels_.find(letter);
        drives.push_back({letter, host(letter), label == labels_.end() ? "" : label->second});
    }
    return drives;
}

Disk TempDrives::disk() const
{
    return Disk(map());
}

std::string TempDrives::hostPath(std::string_view path) const
{
    std::string result;
    if (path.size() >= 2 && path[1] == ':') {
        result = host(path[0]);
        path.remove_prefix(2);
    } else {
        result = root_;
    }
    std::string rest(path);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    if (!rest.empty() && rest.front() != '/')
        result += '/';
    return result + rest;
}

void TempDrives::writeFile(std::string_view path, std::string_view bytes) const
{
    const fs::path file = host::PathOf(hostPath(path));
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + host::TextOf(file));
}

std::string TempDrives::readFile(std::string_view path) const
{
    std::ifstream in(host::PathOf(hostPath(path)), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + hostPath(path));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempDrives::exists(std::string_view path) const
{
    std::error_code error;
    return fs::exists(fs::symlink_status(host::PathOf(hostPath(path)), error));
}

bool TempDrives::isFolder(std::string_view path) const
{
    std::error_code error;
    return fs::is_directory(host::PathOf(hostPath(path)), error);
}

void TempDrives::makeFolder(std::string_view path) const
{
    fs::create_directories(host::PathOf(hostPath(path)));
}

std::vector<std::string> TempDrives::entries(std::string_view folder) const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(host::PathOf(hostPath(folder))))
        names.push_back(host::TextOf(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace korvane::test
