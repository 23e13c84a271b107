// The tooltip of a row that names a call: its whole name on the first line (a long name is cut
// in the list), then what the call holds. Other tooltips of a row put their lines after the
// name the same way.
#pragma once

#include "calls/call_info.h"

#include <QString>

namespace korvane {

QString CallTooltip(const QString& wholeName, const CallInfo& info);

} // namespace korvane
