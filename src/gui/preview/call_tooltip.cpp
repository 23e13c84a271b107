#include "gui/preview/call_tooltip.h"

namespace korvane {

QString CallTooltip(const QString& wholeName, const CallInfo& info, const QString& loudness)
{
    const QString tooltip =
        wholeName + QLatin1Char('\n') + QString::fromStdString(CallInfoLines(info));
    return loudness.isEmpty() ? tooltip : tooltip + QLatin1Char('\n') + loudness;
}

} // namespace korvane
