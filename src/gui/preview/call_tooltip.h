// The tooltip of a row that names a call: its whole name on the first line (a long name is cut
// in the list), then what the call holds and how loud it is. Other tooltips of a row put their
// lines after the name the same way.
#pragma once

#include "calls/call_info.h"

#include <QString>

namespace korvane {

// loudness: the loudness line, or "" when there is none to show.
QString CallTooltip(const QString& wholeName, const CallInfo& info, const QString& loudness);

} // namespace korvane
