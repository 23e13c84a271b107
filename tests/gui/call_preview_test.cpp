// Hearing calls from the real window, offscreen: tooltips of the call lists, and the keys and
// double-clicks that play and stop a call without touching the controls. Whether sound comes
// out is the playback test's business; here the player is only asked.
#include "events/events.h"
#include "form/call_rows.h"
#include "form/form1.h"
#include "gui/desktop/event_pump.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/preview/call_player.h"
#include "gui/preview/call_preview.h"
#include "gui/widgets/list_view_rows.h"
#include "qt_test_support.h"
#include "window/form_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::TempFolder;
using testing::ToolTipOver;

const std::string kLongName =
    "Adjutant's call as the colour guard marches on, second take, slower, for the ceremony.mp3";

class CallPreviewTest : public ::testing::Test {
protected:
    CallPreviewTest()
    {
        const auto work = tmp.makeKit("d/work");
        std::filesystem::copy_file(work / "adjudantscall.mp3", work / kLongName);
        tmp.writeFile("d/work/notes.mp3", "these are notes, not sound");
        tmp.enter("d/work");
        disk.ChDrive("d:");
        disk.ChDir("d:\\work");
        form = std::make_unique<Form1>(disk, boxes, picker, pump, WireEvents);
        window = std::make_unique<FormWindow>(*form);
        boxes.setOwner(window.get());
        preview =
            new CallPreview(*window, disk, player, [this](const QString& l, const QString& n) {
                return CallPathOfRow(*form, l.toStdString(), n.toStdString());
            });
        window->show();
        form->Load();
        // Through "File" to the folder lists: File2 shows the calls of d:\work.
        QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
        files = window->findChild<QListView*>(QStringLiteral("File2"));
    }

    ~CallPreviewTest() override { player.stop(); }

    int rowOf(const std::string& name) { return RowOf(*files, QString::fromStdString(name)); }

    QString hostOf(const std::string& name)
    {
        return QString::fromStdString(tmp.hostPath("d/work/" + name));
    }

    QApplication& app = testing::TestApp();
    TempFolder tmp;
    Disk disk = tmp.disk();
    QtMessageBoxes boxes;
    QtFolderPicker picker{disk};
    QtEventPump pump;
    CallPlayer player;
    std::unique_ptr<Form1> form;
    std::unique_ptr<FormWindow> window;
    CallPreview* preview = nullptr;
    QListView* files = nullptr;
};

TEST_F(CallPreviewTest, TooltipsShowTheWholeNameAndWhatTheCallHolds)
{
    ASSERT_GE(rowOf(kLongName), 0);
    // The list is narrower than the name: the tooltip is where the whole of it can be read.
    EXPECT_GT(files->fontMetrics().horizontalAdvance(QString::fromStdString(kLongName)),
              files->viewport()->width());
    const QString longTip = ToolTipOver(*files, rowOf(kLongName));
    const QStringList lines = longTip.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << longTip.toStdString();
    EXPECT_EQ(lines[0].toStdString(), kLongName);
    EXPECT_EQ(lines[1], QStringLiteral("0:09.1"));
    EXPECT_EQ(lines[2], QStringLiteral("32 kbit/s, 22050 Hz, mono"));

    EXPECT_EQ(ToolTipOver(*files, rowOf("notes.mp3")),
              QStringLiteral("notes.mp3\nnot MP3 audio: the player cannot play it"));
}

// That playing changes no control, field or file is the scenario hear-calls, run against the
// widgets and the real player too.
TEST_F(CallPreviewTest, SpaceAndDoubleClickPlayAndEscapeStops)
{
    // The user has gone to a row with the mouse, as before playing it.
    const int taps = rowOf("Taps.mp3");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, RowRect(*files, taps).center());

    files->setFocus();
    QTest::keyClick(files, Qt::Key_Space);
    EXPECT_EQ(player.playing(), hostOf("Taps.mp3"));
    QTest::keyClick(files, Qt::Key_Space);
    EXPECT_TRUE(player.playing().isEmpty()) << "Space on the playing row stops it";

    // A double-click on another row plays that one; Escape stops it.
    const QPoint retreat = RowRect(*files, rowOf("retreat.mp3")).center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, retreat, files->viewport()->mapToGlobal(retreat),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &twice);
    EXPECT_EQ(player.playing(), hostOf("retreat.mp3"));
    QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("Command1")), Qt::Key_Escape);
    EXPECT_TRUE(player.playing().isEmpty()) << "Escape stops it wherever the focus is";

    // A file without MP3 audio plays nothing, gives no box, and says why where the user looks.
    preview->playRow(*files, rowOf("notes.mp3"));
    EXPECT_TRUE(player.playing().isEmpty());
    EXPECT_TRUE(
        QToolTip::text().endsWith(QStringLiteral("not MP3 audio: the player cannot play it")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CallPreviewTest, TheAddPickerPlaysThePickedFileAndShowsItsLength)
{
    FolderPickerDialog dialog(disk, QStringLiteral("Add a call"), true);
    dialog.offerPreview(player);
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("Path"));
    auto* play = dialog.findChild<QPushButton*>(QStringLiteral("Play"));
    auto* length = dialog.findChild<QLabel*>(QStringLiteral("Length"));
    ASSERT_TRUE(path && play && length);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Browse for File or Folder"));
    EXPECT_FALSE(play->isEnabled());

    path->setText(QStringLiteral("d:\\work\\Taps.mp3"));
    EXPECT_EQ(length->text(), QStringLiteral("Length 0:19.4, 32 kbit/s, 22050 Hz, mono"));
    ASSERT_TRUE(play->isEnabled());
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_EQ(player.playing(), hostOf("Taps.mp3"));
    // Picking another file stops what plays; the pick itself is as it was typed.
    path->setText(QStringLiteral("d:\\work\\notes.mp3"));
    EXPECT_TRUE(player.playing().isEmpty());
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(length->text(), QStringLiteral("not MP3 audio: the player cannot play it"));
    path->setText(QStringLiteral("d:\\work"));
    EXPECT_EQ(length->text(), QString());
    EXPECT_EQ(dialog.pickedPath(), "d:\\work");
}

TEST_F(CallPreviewTest, ThePlayingRowBearsAMarkAndItsTooltipSaysHowToStopIt)
{
    const int taps = rowOf("Taps.mp3");
    const int retreat = rowOf("retreat.mp3");
    // Pixels of the mark's green in the right end of a row, as the list draws it now.
    auto markPixels = [&](int row) {
        QApplication::processEvents();
        const QImage image = files->viewport()->grab().toImage();
        const QRect rect = RowRect(*files, row);
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.right() - rect.height() - 4; x <= rect.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.green() > c.red() + 40 && c.green() > c.blue() + 40;
            }
        }
        return count;
    };
    const QString stopHint =
        QStringLiteral("Playing: double-click the row, or press Space or Esc, to stop it");

    preview->playRow(*files, taps);
    EXPECT_GT(markPixels(taps), 10);
    EXPECT_EQ(markPixels(retreat), 0);
    EXPECT_TRUE(ToolTipOver(*files, taps).endsWith(QLatin1Char('\n') + stopHint));
    EXPECT_FALSE(ToolTipOver(*files, retreat).contains(stopHint));

    player.stop();
    EXPECT_EQ(markPixels(taps), 0);
    EXPECT_FALSE(ToolTipOver(*files, taps).contains(stopHint));
}

TEST_F(CallPreviewTest, OkOnAFileThePlayerCannotPlayAsksInsideThePickerDefaultNo)
{
    FolderPickerDialog dialog(disk, QStringLiteral("Add a call"), true);
    dialog.show();
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("Path"));
    auto* question = dialog.findChild<QWidget*>(QStringLiteral("CannotPlayQuestion"));
    auto* addAnyway = dialog.findChild<QPushButton*>(QStringLiteral("AddAnyway"));
    auto* no = dialog.findChild<QPushButton*>(QStringLiteral("DoNotAdd"));
    ASSERT_TRUE(path && question && addAnyway && no);

    path->setText(QStringLiteral("d:\\work\\notes.mp3"));
    QTest::keyClick(path, Qt::Key_Return);
    ASSERT_TRUE(question->isVisible());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(no->isDefault());
    // Enter answers No: the picker stays, the pick can be changed.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(question->isVisible());
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(path, Qt::Key_Return);
    ASSERT_TRUE(question->isVisible());
    QTest::mouseClick(addAnyway, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.pickedPath(), "d:\\work\\notes.mp3");

    // A call, or a folder, is taken at once.
    for (const char* pick : {"d:\\work\\Taps.mp3", "d:\\work"}) {
        FolderPickerDialog again(disk, QStringLiteral("Add a call"), true);
        again.show();
        auto* typed = again.findChild<QLineEdit*>(QStringLiteral("Path"));
        typed->setText(QString::fromLatin1(pick));
        QTest::keyClick(typed, Qt::Key_Return);
        EXPECT_EQ(again.result(), QDialog::Accepted) << pick;
    }
}

} // namespace
} // namespace korvane
