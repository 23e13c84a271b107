#include "platform/qt/accessible_names.h"

#include <QCoreApplication>

#include <string_view>

namespace korvane {

namespace {

struct NamedControl {
    std::string_view control;
    const char* name;
    const char* description;
};

// The controls whose caption is empty, changes, or is a symbol.
constexpr NamedControl kNames[] = {
    {"Text2", QT_TRANSLATE_NOOP("Korvane", "Status"), ""},
    {"Text1", QT_TRANSLATE_NOOP("Korvane", "Message"), ""},
    {"Combo1", QT_TRANSLATE_NOOP("Korvane", "Playlist"), ""},
    {"List1", QT_TRANSLATE_NOOP("Korvane", "Playlist entries"), ""},
    {"File1", QT_TRANSLATE_NOOP("Korvane", "Files on computer"), ""},
    {"File2", QT_TRANSLATE_NOOP("Korvane", "Calls on computer"), ""},
    {"Dir1", QT_TRANSLATE_NOOP("Korvane", "Folders on computer"), ""},
    {"Dir2", QT_TRANSLATE_NOOP("Korvane", "Folders of the working folder choice"), ""},
    {"Drive1", QT_TRANSLATE_NOOP("Korvane", "Drives on computer"), ""},
    {"Drive2", QT_TRANSLATE_NOOP("Korvane", "Drives of the working folder choice"), ""},
    {"ProgressBar1", QT_TRANSLATE_NOOP("Korvane", "Upload progress"), ""},
    {"Label3", QT_TRANSLATE_NOOP("Korvane", "Upload destination"), ""},
    {"Label4", QT_TRANSLATE_NOOP("Korvane", "Free space"), ""},
    {"Command8", QT_TRANSLATE_NOOP("Korvane", "Add to playlist"),
     QT_TRANSLATE_NOOP("Korvane", "Adds the selected call to the playlist")},
    {"Command10", QT_TRANSLATE_NOOP("Korvane", "Remove from playlist"),
     QT_TRANSLATE_NOOP("Korvane", "Removes the selected entry from the playlist")},
};

const NamedControl* Named(const Control& control)
{
    for (const NamedControl& named : kNames) {
        if (named.control == control.name())
            return &named;
    }
    return nullptr;
}

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
    if (const NamedControl* named = Named(control))
        return QCoreApplication::translate("Korvane", named->name);
    QString caption = Caption(control).trimmed();
    caption.remove(QLatin1Char(':'));
    // An empty label has nothing to announce.
    if (caption.isEmpty() && control.kind() != ControlKind::Label)
        return QString::fromStdString(control.name());
    return caption;
}

QString AccessibleDescription(const Control& control)
{
    const NamedControl* named = Named(control);
    if (!named || !*named->description)
        return QString::fromStdString(control.toolTip);
    return QCoreApplication::translate("Korvane", named->description);
}

} // namespace korvane
