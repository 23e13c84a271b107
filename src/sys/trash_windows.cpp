// The Recycle Bin: the shell moves the file there, silently, kept restorable (undo allowed); a
// volume without a Recycle Bin leaves the file where it was. A trash standing in a folder of
// its own (scenarios) is kept as the freedesktop.org home trash is, with MoveFileExW renaming
// the file into it, never copying.
#include "sys/trash.h"

#include <windows.h>

#include <shellapi.h>

namespace fs = std::filesystem;

namespace korvane {

namespace {

// The shell refuses to recycle some files silently, deleting them instead: it is asked only for
// files it can recycle, checked first through the Recycle Bin's own query of the volume.
bool volumeHasRecycleBin(const fs::path& file)
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SHQueryRecycleBinW(file.root_path().c_str(), &info) == S_OK;
}

bool recycle(const fs::path& file)
{
    if (!volumeHasRecycleBin(file))
        return false;
    // The shell takes a list of names, each ended by a NUL, the list by one more.
    std::wstring from = file.wstring();
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NO_UI;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
           GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string utf8(const fs::path& path)
{
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

bool intoFolder(const fs::path& file, const fs::path& home)
{
    std::error_code error;
    fs::create_directories(home / "files", error);
    fs::create_directories(home / "info", error);
    if (error)
        return false;
    const std::string info = trash_info::Text(utf8(file), trash_info::LocalTimeNow());
    const std::u8string u8name = file.filename().u8string();
    const std::string name(u8name.begin(), u8name.end());
    for (int n = 1; n < 10000; ++n) {
        const std::string tried = trash_info::NameForTry(name, n);
        const fs::path chosen(std::u8string(tried.begin(), tried.end()));
        fs::path infoFile = home / "info" / chosen;
        infoFile += L".trashinfo";
        // Created only when the name is free, so two programs never take the same one.
        const HANDLE handle = CreateFileW(infoFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
            continue;
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const bool whole =
            WriteFile(handle, info.data(), static_cast<DWORD>(info.size()), &written, nullptr) &&
            written == info.size();
        CloseHandle(handle);
        // Without MOVEFILE_COPY_ALLOWED a move to another volume fails rather than copies.
        if (whole && MoveFileExW(file.c_str(), (home / "files" / chosen).c_str(), 0))
            return true;
        const DWORD failure = GetLastError();
        DeleteFileW(infoFile.c_str());
        if (whole && failure == ERROR_ALREADY_EXISTS)
            continue;
        return false;
    }
    return false;
}

} // namespace

Trash Trash::System()
{
    return Trash({}, true);
}

bool Trash::take(const fs::path& file) const
{
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error).lexically_normal();
    if (error)
        return false;
    if (system_)
        return recycle(absolute);
    return intoFolder(absolute, home_);
}

std::vector<TrashedFile> Trash::contents(const std::vector<fs::path>&) const
{
    // The Recycle Bin is the shell's to show; a folder trash is read back as it was written.
    if (system_)
        return {};
    return trash_info::Listing(home_, {});
}

} // namespace korvane
