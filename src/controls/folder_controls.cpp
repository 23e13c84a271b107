// The drive and folder lists, which read the disk's drives and folders.
#include "controls/controls.h"

#include "disk/disk.h"
#include "sys/errors.h"

#include <cctype>

namespace korvane {

// --- DirListBox

namespace {

// "c:" or "g: [DATA]": a drive entry rather than a folder path.
bool IsDriveEntry(std::string_view text)
{
    return text.size() >= 2 && text[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(text[0])) &&
           (text.size() == 2 || text[2] == ' ');
}

} // namespace

// As the file lists do, the folder list reads first and changes only after a successful read:
// a folder that cannot be listed (a drive without a medium) leaves path and rows as they were.
void DirListBox::setPath(std::string path)
{
    if (IsDriveEntry(path))
        path = disk_.CurDir(static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))));
    if (hasPath_ && path == path_)
        return;
    if (!disk_.FolderExists(path))
        throw PlatformError("open folder", path, "Path not found");
    std::vector<FolderRow> rows = read(path);
    path_ = std::move(path);
    rows_ = std::move(rows);
    hasPath_ = true;
    notify();
    if (onChange_)
        onChange_();
}

// A refresh that fails keeps the rows shown, which the user can still open: they are what the
// folder held at the last successful read.
void DirListBox::Refresh()
{
    if (hasPath_)
        rows_ = read(path_);
    notify();
}

std::vector<FolderRow> DirListBox::read(const std::string& path) const
{
    std::vector<FolderRow> rows;
    const std::string absolute = disk_.Absolute(path);
    if (absolute.size() < 3)
        return rows;
    std::string root = absolute.substr(0, 3); // "c:\"
    rows.push_back({root, root, 0, FolderRow::Kind::Root});
    std::string walked = absolute.substr(0, 2);
    std::vector<std::string> parts;
    std::size_t start = 3;
    while (start < absolute.size()) {
        std::size_t end = absolute.find('\\', start);
        if (end == std::string::npos)
            end = absolute.size();
        if (end > start)
            parts.push_back(absolute.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        walked += "\\" + parts[i];
        const bool last = i + 1 == parts.size();
        rows.push_back({parts[i], walked, static_cast<int>(i) + 1,
                        last ? FolderRow::Kind::Current : FolderRow::Kind::Above});
    }
    if (parts.empty())
        rows.front().kind = FolderRow::Kind::Current;
    const std::string base = parts.empty() ? root : walked + "\\";
    for (const auto& sub : disk_.ListFolders(absolute))
        rows.push_back(
            {sub, base + sub, static_cast<int>(parts.size()) + 1, FolderRow::Kind::Below});
    return rows;
}

void DirListBox::userOpen(std::string path)
{
    if (!takesInput())
        return;
    deliver([this, path = std::move(path)] { setPath(path); });
}

// --- DriveListBox

void DriveListBox::setDrive(std::string_view drive)
{
    if (drive.empty())
        return;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0])));
    if (!disk_.HasDrive(letter))
        throw PlatformError("open drive", std::string(drive.substr(0, 1)) + ":",
                            "Device unavailable");
    std::string entry = disk_.DriveEntry(letter);
    if (entry == drive_)
        return;
    drive_ = std::move(entry);
    notify();
    if (onChange_)
        onChange_();
}

std::vector<std::string> DriveListBox::entries() const
{
    std::vector<std::string> result;
    for (const auto& mapping : disk_.Drives())
        result.push_back(disk_.DriveEntry(mapping.letter));
    return result;
}

void DriveListBox::showCurrentDrive()
{
    drive_ = disk_.DriveEntry(disk_.CurrentDrive());
    notify();
}

void DriveListBox::Refresh()
{
    disk_.RefreshDrives();
    if (!drive_.empty() && disk_.HasDrive(drive_.front()))
        drive_ = disk_.DriveEntry(drive_.front());
    notify();
}

void DriveListBox::userChoose(char letter)
{
    if (!takesInput())
        return;
    deliver([this, letter] { setDrive(std::string(1, letter)); });
}

} // namespace korvane
