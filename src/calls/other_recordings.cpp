#include "calls/other_recordings.h"

namespace korvane {

namespace {

unsigned LittleEndian16(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

} // namespace

bool IsOtherRecording(std::string_view head)
{
    if (head.size() < static_cast<std::size_t>(kOtherRecordingHead))
        return false;
    const std::string_view first = head.substr(0, 4);
    if (first == "fLaC" || first == "OggS" || head.substr(4, 4) == "ftyp")
        return true;
    if (first == "FORM")
        return head.substr(8, 4) == "AIFF" || head.substr(8, 4) == "AIFC";
    if (first != "RIFF" || head.substr(8, 4) != "WAVE" || head.substr(12, 4) != "fmt ")
        return false;
    // A WAV can wrap MPEG audio (formats 0x50 and 0x55); that is left to the frame search.
    const unsigned format = LittleEndian16(head, 20);
    return format != 0x50 && format != 0x55;
}

} // namespace korvane
