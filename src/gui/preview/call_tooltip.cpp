#include "gui/preview/call_tooltip.h"

namespace korvane {

QString CallTooltip(const QString& wholeName, const CallInfo& info)
{
    return wholeName + QLatin1Char('\n') + QString::fromStdString(CallInfoLines(info));
}

} // namespace korvane
