// The ANSI code page of playlist files on Windows: the system's own, as the player's other
// tools on the same computer write them.
#include "sys/host_files_windows.h"
#include "sys/text.h"

#include <windows.h>

namespace korvane {

namespace host {

std::optional<std::string> ToCodePage(unsigned codePage, std::string_view utf8)
{
    if (utf8.empty())
        return std::string();
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size);
    if (length <= 0)
        return std::nullopt;
    wide.resize(static_cast<std::size_t>(length));
    // No best fit: a character the code page lacks is refused, not replaced by a look-alike.
    BOOL lossy = FALSE;
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL* lossyFlag = &lossy;
    int bytes =
        ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, lossyFlag);
    // UTF-8, UTF-7 and the stateful code pages refuse both the flag and the report of a lost
    // character; for them a lost character shows when the result is converted back.
    const DWORD refused = bytes <= 0 ? ::GetLastError() : 0;
    const bool checkBack = refused == ERROR_INVALID_FLAGS || refused == ERROR_INVALID_PARAMETER;
    if (checkBack) {
        flags = 0;
        lossyFlag = nullptr;
        bytes =
            ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    }
    if (bytes <= 0 || lossy)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), length, ansi.data(), bytes, nullptr,
                          lossyFlag);
    if (checkBack && FromCodePage(codePage, ansi) != utf8)
        return std::nullopt;
    return ansi;
}

std::string FromCodePage(unsigned codePage, std::string_view ansi)
{
    if (ansi.empty())
        return std::string();
    const int size = static_cast<int>(ansi.size());
    // No code page takes fewer bytes for a character than UTF-16 takes units.
    std::wstring wide(ansi.size(), L'\0');
    const int length = ::MultiByteToWideChar(codePage, 0, ansi.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return Narrow(wide);
}

} // namespace host

std::optional<std::string> ToAnsi(std::string_view utf8)
{
    return host::ToCodePage(::GetACP(), utf8);
}

std::string FromAnsi(std::string_view ansi)
{
    return host::FromCodePage(::GetACP(), ansi);
}

} // namespace korvane
