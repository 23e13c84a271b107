#include "convert/converted_calls.h"

namespace korvane {

std::string ConvertedPathOf(std::string_view source)
{
    const std::size_t slash = source.find_last_of("\\:");
    std::string_view name = slash == std::string_view::npos ? source : source.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(kConvertedFolder) + "\\" + std::string(name) + ".mp3";
}

void SaveConverted(Disk& disk, const std::string& path, const std::string& mp3)
{
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    if (!disk.FolderExists(folder))
        disk.MkDir(folder);
    disk.WriteBytes(path, mp3);
}

ConvertedCall ConvertCall(Disk& disk, const std::string& source, bool evenOut)
{
    ConvertedCall call;
    call.conversion = ConvertRecording(disk.ReadBytes(source), evenOut);
    call.path = ConvertedPathOf(source);
    SaveConverted(disk, call.path, call.conversion.mp3);
    return call;
}

} // namespace korvane
