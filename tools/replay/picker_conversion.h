// `pick PATH convert`: the transcript lines of a conversion in the picker, the same in both
// frontends, and the conversion itself as the scripted picker does it.
#pragma once

#include "disk/disk.h"
#include "transcript.h"

#include <string>

namespace korvane::replay {

// converted "FROM" -> "TO" length=S.SS s bitrate=N kbps rate=N Hz channels=N
std::string ConvertedLine(const Disk& disk, const std::string& from, const std::string& to);
// cannot convert "FROM": WHY
std::string RefusedLine(const std::string& from, const std::string& why);

// Converts the recording at from into Korvane's folder of converted calls and writes the line;
// the path the picker then returns: the converted call's, or from as it was when the
// conversion is refused.
std::string ConvertInPicker(Disk& disk, Transcript& transcript, const std::string& from);

} // namespace korvane::replay
