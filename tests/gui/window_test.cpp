// The real window, offscreen, on temporary drives: when it appears, where its controls lie, and
// what no scenario run against the widgets does (About, Exit, closing, Enter in the combo; the
// start-up state, the title and the folder lists' choices are those runs). For every user and
// screen: the tab order, names for assistive technologies, sizes at any DPI and pixel ratio,
// captions and icons at any scale. Hearing calls from the call lists without touching the
// controls (whether sound comes out is the playback test's business).
#include "controls/controls.h"
#include "convert/recording_decoder.h"
#include "disk/drive_map.h"
#include "events/events.h"
#include "form/call_rows.h"
#include "form/controls_table.h"
#include "form/form1.h"
#include "gui/desktop/event_pump.h"
#include "gui/desktop/window_style.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/preview/call_player.h"
#include "gui/preview/call_preview.h"
#include "gui/widgets/accessible_names.h"
#include "gui/widgets/appearance.h"
#include "gui/widgets/command_button_widget.h"
#include "gui/widgets/list_view_rows.h"
#include "playback/wine_media.h"
#include "qt_test_support.h"
#include "window/form_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string_view>

namespace korvane {
namespace {

using testing::OnNextModal;
using testing::TempFolder;
using testing::ToolTipOver;

class WindowTest : public ::testing::Test {
protected:
    WindowTest()
    {
        tmp.makeKit("d/work");
        tmp.enter("d/work");
    }

    ~WindowTest() override
    {
        EXPECT_TRUE(unanswered.texts().empty()) << unanswered.texts().front();
    }

    // Start-up as the program does it: the current folder through the map, then the window.
    void start()
    {
        const auto start = disk.WindowsPath(std::filesystem::current_path().string());
        ASSERT_TRUE(start.has_value());
        disk.ChDrive(start->substr(0, 2));
        disk.ChDir(*start);
        // Made after the current drive is known: its drive lists open on it.
        formPtr = std::make_unique<Form1>(disk, boxes, picker, pump, WireEvents);
        window = FormWindow::AfterLoad(form());
        ASSERT_TRUE(window);
        boxes.setOwner(window.get());
        picker.setOwner(window.get());
        window->show();
    }

    Form1& form() { return *formPtr; }

    template <typename W = QWidget> W* widget(const char* name)
    {
        return qobject_cast<W*>(window->controlWidget(name));
    }
    QWidget* widget(const Control& control) { return widget(control.name().c_str()); }

    // Whether a control of this kind is something the user works with by keyboard.
    static bool Interactive(ControlKind kind)
    {
        return kind != ControlKind::Label && kind != ControlKind::ProgressBar &&
               kind != ControlKind::TabContainer;
    }

    // Whether the point at the middle of a control belongs to that control's widget (and not
    // to a control stacked over it).
    bool onTop(const char* name)
    {
        QWidget* target = widget(name);
        const QPoint middle = target->mapTo(window.get(), target->rect().center());
        QWidget* hit = window->childAt(middle);
        return hit && (hit == target || target->isAncestorOf(hit));
    }

    TempFolder tmp{"cde"};
    Disk disk{{{'c', tmp.host('c'), ""}, {'d', tmp.host('d'), ""}, {'e', tmp.host('e'), "DEVICE"}}};
    QtMessageBoxes boxes;
    QtFolderPicker picker{disk};
    QtEventPump pump;
    std::unique_ptr<Form1> formPtr;
    std::unique_ptr<FormWindow> window;
    testing::UnansweredBoxes unanswered;
};

#ifdef _WIN32
// On the system's own drives, the removable drive the test run sets up (scripts/test-windows.sh
// names it in KORVANE_TEST_REMOVABLE_DRIVE as "r:LABEL") stands in both drive lists with its label.
TEST_F(WindowTest, TheSystemsRemovableDriveStandsInBothDriveListsWithItsLabel)
{
    const char* given = std::getenv("KORVANE_TEST_REMOVABLE_DRIVE");
    if (!given || std::string_view(given).size() < 3)
        GTEST_SKIP() << "KORVANE_TEST_REMOVABLE_DRIVE names no removable drive to look for";
    disk = Disk(DefaultDriveMap({}));
    start();
    const QString entry = QStringLiteral("%1: [%2]")
                              .arg(QChar::fromLatin1(given[0]).toLower())
                              .arg(QString::fromUtf8(given + 2));
    for (const char* name : {"Drive1", "Drive2"}) {
        auto* list = widget<QComboBox>(name);
        ASSERT_NE(list, nullptr) << name;
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        EXPECT_TRUE(entries.contains(entry)) << name << ": " << entries.join(", ").toStdString();
    }
}
#endif

// Records every widget that was ever shown on the screen, by name.
class ShownWidgets : public QObject {
public:
    ShownWidgets() { QApplication::instance()->installEventFilter(this); }
    bool contains(const std::string& name) const { return names_.count(name) > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            names_.insert(watched->objectName().toStdString());
        return false;
    }

private:
    std::set<std::string> names_;
};

TEST_F(WindowTest, AppearsOnceStartUpIsDoneSoNothingStartUpHidesIsEverSeen)
{
    ShownWidgets shown;
    start();
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(shown.contains("Form1"));
    EXPECT_TRUE(shown.contains("Command1"));
    int hidden = 0;
    for (const Control* control : form().controls()) {
        if (control->Visible())
            continue;
        ++hidden;
        EXPECT_FALSE(shown.contains(control->name())) << control->name();
    }
    EXPECT_GE(hidden, 10); // "Yes", "Cancel", "Partial", "All", "CLR", the folder lists, ...
}

TEST_F(WindowTest, AStartUpBoxStandsOnItsOwnInTheMiddleOfTheScreen)
{
    // An empty drive root and no factory kit anywhere: the first run cannot fill its folder.
    std::filesystem::current_path(tmp.host('e'));
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    std::vector<std::string> texts;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts.push_back(box->text().toStdString());
        EXPECT_FALSE(window && window->isVisible()) << texts.back();
        EXPECT_EQ(box->parentWidget(), nullptr) << texts.back();
        // Wine draws the frame of a window after Qt has placed it, so Qt centres the box with
        // a frame it could only guess: the middle then holds within a frame's width.
        const int slack = test::UnderWine() ? 64 : 4;
        EXPECT_LE((box->frameGeometry().center() - middle).manhattanLength(), slack)
            << texts.back();
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(20);
    start();
    answer.stop();

    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().rfind("Could not fill \"e:\\Tarvo_Calls\"", 0), 0u) << texts.front();
    EXPECT_TRUE(window->isVisible()); // then the window appears
}

TEST_F(WindowTest, ControlsLieAtTheirPlacesAndInTheirStackingOrder)
{
    start();
    const double dpi = window->screen()->logicalDotsPerInch();
    const auto px = [dpi](int twips) { return static_cast<int>(std::lround(twips * dpi / 1440)); };
    EXPECT_EQ(window->size(), QSize(px(8115), px(5340)));
    // "About" sits on the inner frame's tab strip, which lies at the top-left of the outer one.
    EXPECT_EQ(widget("Command19")->mapTo(window.get(), QPoint(0, 0)), QPoint(px(1320), 0));

    // The status line lies over the frames' lower edge; after "File", "Yes" and "Cancel" lie
    // over the inner frame and the folder list over the playlist.
    for (const char* name : {"Text2", "Command1", "List1"})
        EXPECT_TRUE(onTop(name)) << name;
    QTest::mouseClick(widget("Command1"), Qt::LeftButton);
    for (const char* name : {"Command7", "Command12", "Dir2"})
        EXPECT_TRUE(widget(name)->isVisible() && onTop(name)) << name;
    EXPECT_FALSE(onTop("List1"));
}

// "About" opens one modal box with OK as its only button, and the window goes on after it.
TEST_F(WindowTest, AboutShowsTheAboutBox)
{
    start();
    int buttonCount = 0;
    OnNextModal([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        buttonCount = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(widget("Command19"), Qt::LeftButton);
    EXPECT_EQ(buttonCount, 1);
    EXPECT_EQ(form().MsgAnswer, kAnswerOk);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Choosing and typing reach the controls in every scenario run against the widgets; Enter
// after typing is what those runs never press.
TEST_F(WindowTest, EnterAfterTypingAPlaylistNameAddsNoItem)
{
    start();
    auto* combo = widget<QComboBox>("Combo1");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Play List4");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form().Combo1.ListIndex(), -1);
    EXPECT_EQ(combo->count(), 10);
}

TEST_F(WindowTest, ClosingTheWindowUnloadsLikeExit)
{
    start();
    window->close();
    EXPECT_TRUE(form().IsUnloaded());
}

TEST_F(WindowTest, ExitUnloadsAndClosesTheWindow)
{
    start();
    QTest::mouseClick(widget("Command13"), Qt::LeftButton);
    EXPECT_TRUE(form().IsUnloaded());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, TabReachesOnlyControlsInSightAndTheWindowCannotBeMaximised)
{
    start();
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);

    // While the folder browser lies over the playlist, Tab and Shift+Tab pass it by.
    form().Command1.click();
    QApplication::processEvents();
    ASSERT_FALSE(onTop("List1"));
    for (const bool forward : {true, false}) {
        widget("File2")->setFocus();
        std::set<std::string> reached;
        for (int step = 0; step < 40; ++step) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            while (focused->objectName().isEmpty()) // a combo box's edit field
                focused = focused->parentWidget();
            const std::string name = focused->objectName().toStdString();
            EXPECT_TRUE(onTop(name.c_str())) << name << " is out of sight";
            reached.insert(name);
            QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                          forward ? Qt::NoModifier : Qt::ShiftModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
        }
        for (const char* name : {"Dir2", "Drive2", "Command7", "Command12", "File2", "Text2"})
            EXPECT_TRUE(reached.count(name)) << name << (forward ? " by Tab" : " by Shift+Tab");
    }
}

TEST_F(WindowTest, AFocusedListShowsItsFocusWhateverItsRows)
{
    start();
    form().Command1.click();
    form().Command7.click();
    QApplication::processEvents();
    // The frame's top edge, a little in from the corner, as drawn on the screen.
    auto frameColour = [&](const char* name) {
        QWidget* list = widget(name);
        QApplication::processEvents();
        return list->grab().toImage().pixelColor(list->width() / 2, 0);
    };
    const QColor highlight =
        widget("File2")->palette().color(QPalette::Active, QPalette::Highlight);
    for (const int row : {-1, 1}) {
        form().File2.setListIndex(row);
        widget("File2")->setFocus();
        EXPECT_EQ(frameColour("File2"), highlight) << "row " << row;
        EXPECT_NE(frameColour("List1"), highlight);
        widget("Command4")->setFocus();
        EXPECT_NE(frameColour("File2"), highlight) << "row " << row;
    }
}

TEST_F(WindowTest, TabVisitsEveryInteractiveControlInTheTabOrderOfTheTable)
{
    start();
    std::vector<const Control*> expected;
    for (const Control* c : form().controls()) {
        if (Interactive(c->kind()))
            expected.push_back(c);
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    ASSERT_GE(expected.size(), 30u);

    std::vector<std::string> wanted;
    std::map<QWidget*, std::string> names;
    for (const Control* c : expected) {
        QWidget* w = widget(*c);
        ASSERT_NE(w, nullptr) << c->name();
        EXPECT_EQ(w->focusPolicy(), Qt::StrongFocus) << c->name(); // Tab and click both reach it
        wanted.push_back(c->name());
        names[w] = c->name();
    }

    // The focus chain from the first control, one full turn, the controls' own widgets only
    // (a combo box's edit field follows its combo box).
    std::vector<std::string> visited;
    QWidget* first = widget(*expected.front());
    QWidget* w = first;
    do {
        if (auto it = names.find(w); it != names.end())
            visited.push_back(it->second);
        w = w->nextInFocusChain();
    } while (w && w != first && visited.size() <= wanted.size());
    EXPECT_EQ(visited, wanted);
}

TEST_F(WindowTest, EveryControlHasANameForAssistiveTechnologies)
{
    start();
    for (const Control* c : form().controls()) {
        if (!Interactive(c->kind()) && c->kind() != ControlKind::ProgressBar)
            continue;
        const QWidget* w = widget(*c);
        ASSERT_NE(w, nullptr) << c->name();
        EXPECT_FALSE(w->accessibleName().isEmpty()) << c->name();
        EXPECT_NE(w->accessibleName().toStdString(), c->name()) << "no clear name";
    }
    // Where the caption is a symbol, the name says what the button does.
    EXPECT_EQ(widget(form().Command8)->accessibleName(), "Add to playlist"); // not "<<"
    // A caption that changes renames its button.
    form().Command7.setCaption("Confirm");
    EXPECT_EQ(widget(form().Command7)->accessibleName(), "Confirm");
}

TEST_F(WindowTest, FontsAreInstalledFamilies)
{
    start();
    for (const Control* c : form().controls()) {
        const QFont font = widget(*c)->font();
        EXPECT_TRUE(QFontDatabase::hasFamily(font.family()))
            << c->name() << " asks for " << font.family().toStdString();
        // What is drawn is that family (from whichever foundry: "Nimbus Sans [urw]").
        EXPECT_TRUE(QFontInfo(font).family().startsWith(font.family())) << c->name();
    }
    // A family nobody has falls back to the system's general font, at the size asked.
    const QFont unknown = MappedFont({"No Such Family 1995", 12}, QFont());
    EXPECT_EQ(unknown.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(unknown.pointSizeF(), 12);
}

// The sizes at a given DPI are the window tests'; here, that rounding leaves no gap.
TEST(TwipsScale, NeighboursKeepMeetingAtAnOddDpi)
{
    // The right edge of one is the left edge of the next.
    const TwipsScale odd(120);
    EXPECT_EQ(odd.rect({0, 0, 660, 275}).right() + 1, odd.rect({660, 0, 660, 275}).left());
}

// Runs twice: here, then in a second process of this test program with the pixel ratio
// doubled, which must draw the window at twice the pixels in the same logical size.
TEST_F(WindowTest, OnADoubledScreenTheWindowIsTwiceAsLargeInPixels)
{
    start();
    const double dpi = window->screen()->logicalDotsPerInch();
    EXPECT_EQ(window->width(), std::lround(kClientWidthTwips * dpi / 1440));
    const int drawnWidth = window->grab().width(); // device pixels

    if (const char* single = std::getenv("KORVANE_SINGLE_WIDTH")) {
        EXPECT_EQ(window->devicePixelRatio(), 2.0);
        EXPECT_EQ(drawnWidth, 2 * std::atoi(single));
        EXPECT_EQ(widget(form().Command19)->grab().height(),
                  2 * TwipsScale(dpi).rect(form().Command19.geometry).height());
        return;
    }
    EXPECT_EQ(drawnWidth, std::lround(window->width() * window->devicePixelRatio()));

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVANE_SINGLE_WIDTH", QString::number(drawnWidth));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=WindowTest.OnADoubledScreenTheWindowIsTwiceAsLargeInPixels"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(Scale, ACaptionWiderThanItsButtonTakesASmallerFontAndAShortOneKeepsItsOwn)
{
    QWidget window;
    CommandButton wide("Command17");
    wide.setCaption("Delete All of them");
    CommandButton shortOne("Command13");
    shortOne.setCaption("Exit");
    CommandButtonWidget wideButton(wide, &window);
    CommandButtonWidget shortButton(shortOne, &window);
    const qreal natural = window.font().pointSizeF();
    window.resize(500, 100);
    window.show();

    const auto air = [](const QPushButton& button) {
        const int edge = button.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
        return button.width() - 2 * edge -
               QFontMetrics(button.font()).horizontalAdvance(button.text());
    };
    for (int width : {100, 80, 90}) { // narrower, then wider again
        wideButton.resize(width, 24);
        EXPECT_GE(air(wideButton), 0) << width;
        EXPECT_LT(wideButton.font().pointSizeF(), natural) << width;
    }
    wideButton.resize(400, 24);
    EXPECT_EQ(wideButton.font().pointSizeF(), natural);
    shortButton.resize(60, 24);
    EXPECT_EQ(shortButton.font().pointSizeF(), natural);
    EXPECT_GE(air(shortButton), 0);
}

// The window's icon is compiled in as raw pixels: they must be those of the pictures the
// desktop shows, also after the pictures change.
TEST(Scale, TheWindowIconsPixelsAreThoseOfItsPictures)
{
    for (int size : {32, 64}) {
        const std::string icons = std::string(KORVANE_SOURCE_DIR) + "/packaging/icons/korvane-";
        const QImage picture = QImage(QString::fromStdString(icons + std::to_string(size) + ".png"))
                                   .convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(picture.size(), QSize(size, size));
        QFile raw(QString::fromStdString(icons + std::to_string(size) + ".rgba"));
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly)) << size;
        const QByteArray pixels = raw.readAll();
        EXPECT_EQ(pixels, QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                     static_cast<qsizetype>(picture.sizeInBytes())))
            << "packaging/render-icons.sh makes korvane-" << size << ".rgba anew";
    }
}

TEST(Scale, FolderAndDriveIconsAreDrawnAtTheScreensPixels)
{
    const QStyle& style = WindowStyle::instance();
    for (auto which : {QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon, QStyle::SP_DriveHDIcon}) {
        const QIcon icon = style.standardIcon(which);
        for (qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
            const QPixmap pixmap = icon.pixmap(QSize(16, 16), scale);
            const int device = static_cast<int>(std::lround(16 * scale));
            EXPECT_GE(pixmap.width(), device) << which << " at " << scale;
            // Something is drawn: not one colour all over.
            const QImage image = pixmap.toImage();
            EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), image.pixel(0, 0));
        }
    }
}

const std::string kLongName =
    "Adjutant's call as the colour guard marches on, second take, slower, for the ceremony.mp3";

class CallPreviewTest : public WindowTest {
protected:
    CallPreviewTest()
    {
        const std::filesystem::path work = tmp.hostPath("d/work");
        std::filesystem::copy_file(work / "adjudantscall.mp3", work / kLongName);
        tmp.writeFile("d/work/notes.mp3", "these are notes, not sound");
        start();
        preview =
            new CallPreview(*window, disk, player, [this](const QString& l, const QString& n) {
                return CallPathOfRow(form(), l.toStdString(), n.toStdString());
            });
        // Through "File" to the folder lists: File2 shows the calls of d:\work.
        QTest::mouseClick(widget("Command1"), Qt::LeftButton);
        files = widget<QListView>("File2");
    }

    ~CallPreviewTest() override
    {
        player.stop();
        window.reset(); // and the preview with it, while the player is still there
    }

    int rowOf(const std::string& name) { return RowOf(*files, QString::fromStdString(name)); }

    QString hostOf(const std::string& name)
    {
        return QString::fromStdString(tmp.hostPath("d/work/" + name));
    }

    CallPlayer player;
    CallPreview* preview = nullptr;
    QListView* files = nullptr;
};

TEST_F(CallPreviewTest, TooltipsShowTheWholeNameAndWhatTheCallHolds)
{
    ASSERT_GE(rowOf(kLongName), 0);
    // The list is narrower than the name: the tooltip is where the whole of it can be read.
    EXPECT_GT(files->fontMetrics().horizontalAdvance(QString::fromStdString(kLongName)),
              files->viewport()->width());
    // Then its EBU R128 loudness and true peak, measured from the factory call itself, where
    // the build has the libraries that measure it.
    const std::string loudness =
        ConverterBuilt() ? "\nLoudness \u221212.8 LUFS, true peak \u22122.2 dBTP" : "";
    EXPECT_EQ(ToolTipOver(*files, rowOf(kLongName)).toStdString(),
              kLongName + "\n0:09.1\n32 kbit/s, 22050 Hz, mono" + loudness);

    EXPECT_EQ(ToolTipOver(*files, rowOf("notes.mp3")),
              QStringLiteral("notes.mp3\nnot MP3 audio: the player cannot play it"));
}

// File1 is hidden at start-up, so the window makes its widget only when it first shows: the
// preview serves it from then on as it serves the lists made with the window.
TEST_F(CallPreviewTest, AListMadeWhenItFirstShowsIsServedToo)
{
    form().File1.setPath(form().File2.Path());
    form().File1.setVisible(true);
    auto* later = widget<QListView>("File1");
    ASSERT_NE(later, nullptr);
    EXPECT_TRUE(later->isVisible());
    const int notes = RowOf(*later, QStringLiteral("notes.mp3"));
    ASSERT_GE(notes, 0);
    EXPECT_EQ(ToolTipOver(*later, notes),
              QStringLiteral("notes.mp3\nnot MP3 audio: the player cannot play it"));
}

// That playing changes no control, field or file is the scenario hear-calls, run against the
// widgets and the real player too.
TEST_F(CallPreviewTest, SpaceAndDoubleClickPlayAndEscapeStops)
{
    KORVANE_SKIP_WHERE_NO_CALL_CAN_BE_HEARD(hostOf("Taps.mp3"));
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
    QTest::keyClick(widget("Command1"), Qt::Key_Escape);
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
    KORVANE_SKIP_WHERE_NO_CALL_CAN_BE_HEARD(hostOf("Taps.mp3"));
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
    // A recording of another kind can be converted, and the line says so.
    tmp.writeFile("d/work/voice.WAV", "RIFF");
    path->setText(QStringLiteral("d:\\work\\voice.WAV"));
    EXPECT_EQ(length->text(), QStringLiteral("not MP3 audio: the player cannot play it; Convert to "
                                             "MP3 makes a copy it plays"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("Convert"))->isEnabled());
    path->setText(QStringLiteral("d:\\work"));
    EXPECT_EQ(length->text(), QString());
    EXPECT_EQ(dialog.pickedPath(), "d:\\work");
}

TEST_F(CallPreviewTest, ThePlayingRowBearsAMarkAndItsTooltipSaysHowToStopIt)
{
    KORVANE_SKIP_WHERE_NO_CALL_CAN_BE_HEARD(hostOf("Taps.mp3"));
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
