// The call reader as TagLib does it, and what its module hands the program. On Linux the two
// readers are a module of their own (korvane_call_reader), loaded at the first call a user
// points at, so that starting the window does not load TagLib; ReadCallInfo and
// ReadCallInfoFromBytes go to it. The Windows build links them into the program.
#pragma once

#include "calls/call_info.h"

#include <string>
#include <string_view>

namespace korvane {

CallInfo ReadCallInfoWithTagLib(const std::string& hostPath);
CallInfo ReadCallInfoFromBytesWithTagLib(std::string_view bytes);

struct CallReaderFunctions {
    CallInfo (*read)(const std::string& hostPath);
    CallInfo (*readBytes)(std::string_view bytes);
};

// The name of the module's one entry, a C function returning its functions.
inline constexpr const char* kCallReaderEntry = "KorvaneCallReaderFunctions";

} // namespace korvane
