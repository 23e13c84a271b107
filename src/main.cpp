// Korvane: builds the drive map and the disk, starts in the process's current folder, and
// runs the window.
#include "disk/disk.h"
#include "disk/drive_map.h"
#include "disk/start_folder.h"
#include "events/events.h"
#include "form/call_rows.h"
#include "form/form1.h"
#include "gui/desktop/display.h"
#include "gui/desktop/event_pump.h"
#include "gui/desktop/exit_when_shown.h"
#include "gui/desktop/removable_volumes.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/preview/call_player.h"
#include "gui/preview/call_preview.h"
#include "window/form_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <iostream>
#include <string>

using namespace korvane;

namespace {

// The factory kit next to the program (the build copies it there) or where `cmake --install`
// put it, relative to the program so that an installed tree can move as a whole.
std::string InstalledKit(const Disk& disk)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const char* relative : {"kit", KORVANE_KIT_FROM_PROGRAM}) {
        const QFileInfo kit(programFolder.filePath(QString::fromUtf8(relative)));
        if (kit.isDir()) {
            if (auto path = disk.WindowsPath(kit.canonicalFilePath().toStdString()))
                return *path;
        }
    }
    return {};
}

// Our bugle at the sizes of title bars and task bars; pixels need no SVG plugin. Read as PNG
// by Qt's own reader: an image left to find its format is first offered to every image format
// plugin, which loads them all (and libjpeg with them) at start-up.
QIcon KorvaneIcon()
{
    QIcon icon;
    for (int size : {32, 64}) {
        QImageReader reader(QStringLiteral(":/korvane/korvane-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// The folder dialog is a drive list too: it reads the drives again each time it opens, so the
// device plugged in for an upload is there.
class DriveRefreshingPicker : public FolderPicker {
public:
    DriveRefreshingPicker(Disk& disk, QtFolderPicker& picker) : disk_(disk), picker_(picker) {}
    std::string pick(const std::string& title, bool filesToo) override
    {
        disk_.RefreshDrives();
        return picker_.pick(title, filesToo);
    }

private:
    Disk& disk_;
    QtFolderPicker& picker_;
};

} // namespace

int main(int argc, char* argv[])
{
    if (const std::string missing = MissingDisplayMessage(); !missing.empty()) {
        std::cerr << missing;
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setWindowIcon(KorvaneIcon());
    // Lets the desktop match the window to korvane.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("korvane"));

    std::string error;
    const auto drives = DriveSource::FromEnvironment(MountedVolumes, error);
    if (!drives) {
        std::cerr << "korvane: KORVANE_DRIVES: " << error << "\n";
        return 2;
    }
    // Korvane starts in the folder it was started in, with a drive of its own if need be.
    const std::string currentFolder = QDir::currentPath().toStdString();
    const StartDrives start = WithStartFolder(drives->Drives(), currentFolder);
    if (const std::string notice = StartDriveNotice(start, currentFolder); !notice.empty())
        std::cerr << "korvane: " << notice << "\n";
    Disk disk(start.drives);
    // What the user removes or Korvane replaces of theirs stays restorable from the trash.
    disk.setTrash(Trash::System());
    disk.setDriveRefresh(
        [&drives](const std::vector<DriveMapping>& current) { return drives->Refreshed(current); });
    if (const std::string failure = EnterStartFolder(disk, currentFolder); !failure.empty())
        std::cerr << "korvane: cannot start in the current folder: " << failure << "\n";

    QtMessageBoxes boxes;
    CallPlayer player;
    QtFolderPicker picker(disk);
    picker.setPlayer(&player);
    DriveRefreshingPicker refreshingPicker(disk, picker);
    QtEventPump pump;
    Form1 form(disk, boxes, refreshingPicker, pump, WireEvents);
    form.InstalledKitFolder = InstalledKit(disk);

    FormWindow window(form);
    new CallPreview(window, disk, player, [&form](const QString& list, const QString& name) {
        return CallPathOfRow(form, list.toStdString(), name.toStdString());
    });
    boxes.setOwner(&window);
    picker.setOwner(&window);
    form.observeUnload([] { QCoreApplication::quit(); });
    ExitWhenShown exitWhenShown;
    exitWhenShown.installIfAsked();
    if (!window.loadAndShow())
        return 0;
    return QApplication::exec();
}
