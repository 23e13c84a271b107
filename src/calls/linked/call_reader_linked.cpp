// The call reader linked into the program, where TagLib is linked too (Windows, the fuzz
// targets).
#include "calls/call_reader_functions.h"

namespace korvane {

CallInfo ReadCallInfo(const std::string& hostPath)
{
    return ReadCallInfoWithTagLib(hostPath);
}

CallInfo ReadCallInfoFromBytes(std::string_view bytes)
{
    return ReadCallInfoFromBytesWithTagLib(bytes);
}

} // namespace korvane
