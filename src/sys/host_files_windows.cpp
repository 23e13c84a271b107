// The host's files on Windows: the wide-character file API, so that names outside the ANSI code
// page work, with the system's errors told as errno values.
#include "sys/host_files_windows.h"
#include "sys/host_files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <utility>

namespace fs = std::filesystem;

namespace korvane::host {

namespace {

// The words the program shows for a failure, the same on every system.
constexpr std::pair<int, const char*> kErrorTexts[] = {
    {EPERM, "Operation not permitted"},
    {ENOENT, "No such file or directory"},
    {EIO, "Input/output error"},
    {EBADF, "Bad file descriptor"},
    {EACCES, "Permission denied"},
    {EBUSY, "Device or resource busy"},
    {EEXIST, "File exists"},
    {EXDEV, "Invalid cross-device link"},
    {ENODEV, "No such device"},
    {ENOTDIR, "Not a directory"},
    {EISDIR, "Is a directory"},
    {EINVAL, "Invalid argument"},
    {EMFILE, "Too many open files"},
    {EFBIG, "File too large"},
    {ENOSPC, "No space left on device"},
    {EROFS, "Read-only file system"},
    {ENAMETOOLONG, "File name too long"},
    {ENOSYS, "Function not implemented"},
    {ENOTEMPTY, "Directory not empty"},
    {EILSEQ, "Invalid or incomplete multibyte or wide character"},
    {kNoMedium, "No medium found"},
};

// System errors and the errno values that say the same; anything else is an input/output error.
constexpr std::pair<DWORD, int> kSystemErrors[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENODEV},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_SHARING_VIOLATION, EACCES},
    {ERROR_LOCK_VIOLATION, EACCES},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_NOT_READY, kNoMedium},
    {ERROR_DEV_NOT_EXIST, ENODEV},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_INVALID_PARAMETER, EINVAL},
    {ERROR_INVALID_NAME, EINVAL},
    {ERROR_DIR_NOT_EMPTY, ENOTEMPTY},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_NOT_SUPPORTED, ENOSYS},
    {ERROR_CALL_NOT_IMPLEMENTED, ENOSYS},
    {ERROR_NO_UNICODE_TRANSLATION, EILSEQ},
};

FileInfo infoOf(const BY_HANDLE_FILE_INFORMATION& data)
{
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const auto size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return {folder, !folder, folder ? 0 : size, data.dwVolumeSerialNumber};
}

} // namespace

std::wstring Wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

std::string Narrow(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

int ErrnoOf(unsigned long systemError)
{
    for (const auto& [system, error] : kSystemErrors) {
        if (system == systemError)
            return error;
    }
    return EIO;
}

int LastErrno()
{
    return ErrnoOf(::GetLastError());
}

int LastErrnoAt(const fs::path& path)
{
    const int error = LastErrno();
    if (error == EACCES) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return EISDIR;
    }
    if (error == ENOENT) {
        for (fs::path above = path.parent_path(); above.has_relative_path();
             above = above.parent_path()) {
            const DWORD attributes = ::GetFileAttributesW(above.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES)
                continue;
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ENOENT : ENOTDIR;
        }
    }
    return error;
}

fs::path PathOf(std::string_view utf8)
{
    return fs::path(Wide(utf8));
}

std::string TextOf(const fs::path& path)
{
    return Narrow(path.native());
}

std::string ErrorText(int error)
{
    for (const auto& [number, text] : kErrorTexts) {
        if (number == error)
            return text;
    }
    return "Unknown error " + std::to_string(error);
}

int Stat(const fs::path& path, FileInfo& info)
{
    // No access asked: enough to read what a file or folder is, even where it cannot be read.
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return LastErrnoAt(path);
    BY_HANDLE_FILE_INFORMATION data;
    const bool known = ::GetFileInformationByHandle(handle, &data);
    const int error = known ? 0 : LastErrno();
    ::CloseHandle(handle);
    if (known)
        info = infoOf(data);
    return error;
}

int RemoveFile(const fs::path& path)
{
    return ::DeleteFileW(path.c_str()) ? 0 : LastErrnoAt(path);
}

int MakeFolder(const fs::path& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) ? 0 : LastErrnoAt(path);
}

int Rename(const fs::path& from, const fs::path& to)
{
    // Write-through: the call returns once the new name is on the medium.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    return ::MoveFileExW(from.c_str(), to.c_str(), flags) ? 0 : LastErrnoAt(to);
}

std::optional<Room> RoomOf(fs::path path, int& error)
{
    while (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!path.has_parent_path() || path.parent_path() == path) {
            error = LastErrno();
            return std::nullopt;
        }
        path = path.parent_path();
    }
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(path.c_str(), &available, nullptr, nullptr)) {
        error = LastErrno();
        return std::nullopt;
    }
    Room room{static_cast<std::int64_t>(available.QuadPart), 0};
    std::array<wchar_t, MAX_PATH + 1> root{};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (::GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size())) &&
        ::GetDiskFreeSpaceW(root.data(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                            &clusters))
        room.clusterBytes = static_cast<std::int64_t>(sectorsPerCluster) * bytesPerSector;
    return room;
}

int ListFolder(const fs::path& folder, std::vector<Entry>& entries, bool*)
{
    WIN32_FIND_DATAW data;
    const HANDLE find =
        ::FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : ErrnoOf(error); // an empty root
    }
    int error = 0;
    do {
        const std::wstring_view name = data.cFileName;
        if (name.empty() || name == L"." || name == L"..")
            continue;
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({Narrow(name), folder, true});
    } while (::FindNextFileW(find, &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        error = LastErrno();
    ::FindClose(find);
    return error;
}

OpenFolder::OpenFolder(const fs::path& folder) : folder_(folder) {}

OpenFolder::~OpenFolder() = default;

int OpenFolder::Stat(const std::string& name, FileInfo& info) const
{
    // A name with a drive ("q:x") would replace the folder if joined with "/".
    if (name.find(':') != std::string::npos)
        return ENOENT;
    return host::Stat(folder_ / PathOf(name), info);
}

FileReader::FileReader(const fs::path& file)
{
    const HANDLE handle = ::CreateFileW(
        file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    error_ = handle == INVALID_HANDLE_VALUE ? LastErrnoAt(file) : 0;
}

FileReader::FileReader(const std::string& utf8) : FileReader(PathOf(utf8)) {}

FileReader::~FileReader()
{
    if (error_ == 0)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::int64_t FileReader::ReadAt(std::int64_t offset, std::int64_t count, char* bytes) const
{
    std::int64_t got = 0;
    while (error_ == 0 && got < count) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + got);
        at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
        DWORD n = 0;
        if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), bytes + got,
                        static_cast<DWORD>(count - got), &n, &at) ||
            n == 0)
            break;
        got += n;
    }
    return got;
}

int FileReader::Stat(FileInfo& info) const
{
    BY_HANDLE_FILE_INFORMATION data;
    if (error_ != 0 || !::GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), &data))
        return error_ ? error_ : LastErrno();
    info = infoOf(data);
    return 0;
}

} // namespace korvane::host
