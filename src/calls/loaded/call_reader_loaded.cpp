// The call reader as the program sees it on Linux: both readers go to the call reader's module,
// loaded at the first call read. Without the module every call reads as unreadable, saying why.
#include "calls/call_reader_functions.h"
#include "sys/program_module.h"

namespace korvane {

namespace {

const ModuleFunctions<CallReaderFunctions>& Reader()
{
    static const ModuleFunctions<CallReaderFunctions> reader =
        LoadModuleFunctions<CallReaderFunctions>({KORVANE_CALL_READER_MODULE_NAME,
                                                  KORVANE_CALL_READER_MODULE_BUILT,
                                                  KORVANE_CALL_READER_MODULE_FROM_PROGRAM},
                                                 kCallReaderEntry, "the call reader's module");
    return reader;
}

CallInfo Unreadable(const std::string& why)
{
    CallInfo info;
    info.kind = CallInfo::Kind::Unreadable;
    info.problem = why;
    return info;
}

} // namespace

CallInfo ReadCallInfo(const std::string& hostPath)
{
    const auto& reader = Reader();
    return reader.functions ? reader.functions->read(hostPath) : Unreadable(reader.why);
}

CallInfo ReadCallInfoFromBytes(std::string_view bytes)
{
    const auto& reader = Reader();
    return reader.functions ? reader.functions->readBytes(bytes) : Unreadable(reader.why);
}

} // namespace korvane
