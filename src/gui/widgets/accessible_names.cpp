#include "gui/widgets/accessible_names.h"

namespace korvane {

namespace {

QString Caption(const Control& control)
{
    switch (control.kind()) {
    case ControlKind::CommandButton:
        return QString::fromStdString(static_cast<const CommandButton&>(control).Caption());
    case ControlKind::Label:
        return QString::fromStdString(static_cast<const Label&>(control).Caption());
    default:
        return {};
    }
}

} // namespace

QString AccessibleName(const Control& control)
{
    if (!control.accessibleName.empty())
        return QString::fromStdString(control.accessibleName);
    QString caption = Caption(control).trimmed();
    caption.remove(QLatin1Char(':'));
    // An empty label has nothing to announce.
    if (caption.isEmpty() && control.kind() != ControlKind::Label)
        return QString::fromStdString(control.name());
    return caption;
}

QString AccessibleDescription(const Control& control)
{
    if (control.accessibleDescription.empty())
        return QString::fromStdString(control.toolTip);
    return QString::fromStdString(control.accessibleDescription);
}

} // namespace korvane
