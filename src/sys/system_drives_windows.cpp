// The system's drives as Windows reports them: letters in use, type, volume label.
#include "sys/system_drives.h"

#include "sys/host_files_windows.h"

#include <windows.h>

#include <array>

namespace korvane {

std::vector<SystemDrive> SystemDrives()
{
    std::vector<SystemDrive> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (1u << i)))
            continue;
        const char upper = static_cast<char>('A' + i);
        const std::wstring root{static_cast<wchar_t>(L'A' + i), L':', L'\\'};
        const UINT type = ::GetDriveTypeW(root.c_str());
        if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR)
            continue;
        SystemDrive drive{static_cast<char>('a' + i), std::string{upper, ':', '\\'}, "",
                          type == DRIVE_REMOVABLE};
        // A card reader without its card has no volume to ask: it stays, without a label.
        std::array<wchar_t, MAX_PATH + 1> label{};
        const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
        if (::GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                    nullptr, nullptr, nullptr, nullptr, 0))
            drive.label = host::Narrow(label.data());
        ::SetErrorMode(oldMode);
        drives.push_back(std::move(drive));
    }
    return drives;
}

} // namespace korvane
