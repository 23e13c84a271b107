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
#include <QImage>
#include <QPixmap>
#include <QResource>

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

// Our bugle at the sizes of title bars and task bars, as pixels compiled into the program
// (packaging/render-icons.sh makes them from the PNGs): nothing to decode, and no image format
// plugin is looked for, before the window shows.
QIcon KorvaneIcon()
{
    QIcon icon;
    for (int size : {32, 64}) {
        const QResource pixels(QStringLiteral(":/korvane/korvane-%1.rgba").arg(size));
        if (pixels.size() != static_cast<qint64>(size) * size * 4 ||
            pixels.compressionAlgorithm() != QResource::NoCompression)
            continue;
        const QImage image(pixels.data(), size, size, size * 4, QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(image));
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

    // Installed before start-up runs: a box start-up shows is the first thing painted then.
    ExitWhenShown exitWhenShown;
    exitWhenShown.installIfAsked();
    const std::unique_ptr<FormWindow> window = FormWindow::AfterLoad(form);
    if (!window)
        return 0;
    new CallPreview(*window, disk, player, [&form](const QString& list, const QString& name) {
        return CallPathOfRow(form, list.toStdString(), name.toStdString());
    });
    boxes.setOwner(window.get());
    picker.setOwner(window.get());
    form.observeUnload([] { QCoreApplication::quit(); });
    window->show();
    return QApplication::exec();
}
