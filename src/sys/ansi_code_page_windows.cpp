// The ANSI code page of playlist files on Windows: the system's own, as the player's other
// tools on the same computer write them.
#include "sys/host_files_windows.h"
#include "sys/text.h"

#include <windows.h>

namespace korvane {

std::optional<std::string> ToAnsi(std::string_view utf8)
{
    if (utf8.empty())
        return std::string();
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size);
    if (length <= 0)
        return std::nullopt;
    // No best fit: a character the code page lacks is refused, not replaced by a look-alike.
    BOOL lossy = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                            nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), bytes,
                          nullptr, &lossy);
    return ansi;
}

std::string FromAnsi(std::string_view ansi)
{
    if (ansi.empty())
        return std::string();
    const int size = static_cast<int>(ansi.size());
    // A double-byte code page may take two bytes for one character, never one for two.
    std::wstring wide(ansi.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return host::Narrow(wide);
}

} // namespace korvane
