#include "window/control_names.h"

#include "form/form1.h"

#include <QCoreApplication>

#include <string_view>

namespace korvane {

namespace {

struct NamedControl {
    std::string_view control;
    const char* name;
    const char* description;
};

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
    {"Stop", QT_TRANSLATE_NOOP("Korvane", "Stop upload"),
     QT_TRANSLATE_NOOP("Korvane", "Stops the upload; nothing on the player is changed")},
    {"Command8", QT_TRANSLATE_NOOP("Korvane", "Add to playlist"),
     QT_TRANSLATE_NOOP("Korvane", "Adds the selected call to the playlist")},
    {"Command10", QT_TRANSLATE_NOOP("Korvane", "Remove from playlist"),
     QT_TRANSLATE_NOOP("Korvane", "Removes the selected entry from the playlist")},
};

std::string Translated(const char* text)
{
    return *text ? QCoreApplication::translate("Korvane", text).toStdString() : std::string();
}

} // namespace

void NameControls(Form1& form)
{
    for (const NamedControl& named : kNames) {
        if (Control* control = form.control(named.control)) {
            control->accessibleName = Translated(named.name);
            control->accessibleDescription = Translated(named.description);
        }
    }
}

} // namespace korvane
