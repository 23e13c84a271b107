#include "picker_conversion.h"

#include "calls/call_info.h"
#include "command_handlers.h"
#include "convert/conversion_refused.h"
#include "convert/converted_calls.h"
#include "sys/errors.h"

namespace korvane::replay {

std::string ConvertedLine(const Disk& disk, const std::string& from, const std::string& to)
{
    const std::optional<std::string> host = disk.HostPath(to);
    const CallInfo info = host ? ReadCallInfo(*host) : CallInfo{};
    return "converted " + Quoted(from) + " -> " + Quoted(to) + " " + CallInfoWords(info, true);
}

std::string RefusedLine(const std::string& from, const std::string& why)
{
    return "cannot convert " + Quoted(from) + ": " + why;
}

std::string ConvertInPicker(Disk& disk, Transcript& transcript, const std::string& from)
{
    try {
        const ConvertedCall call = ConvertCall(disk, from);
        transcript.line(ConvertedLine(disk, from, call.path));
        return call.path;
    } catch (const ConversionRefused& refused) {
        transcript.line(RefusedLine(from, refused.what()));
    } catch (const PlatformError& failed) {
        transcript.line(RefusedLine(from, failed.what()));
    }
    return from;
}

} // namespace korvane::replay
