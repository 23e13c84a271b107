// The window for every user and every screen: Tab follows the window's tab order and reaches
// every control the user works with, each control has a name for assistive technologies, the
// window's size follows the screen's DPI and pixel ratio, captions keep air on both sides of
// their buttons, and the folder and drive icons are drawn at the screen's own pixels instead of
// enlarged.
#include "controls/controls.h"
#include "events/events.h"
#include "form/controls_table.h"
#include "form/form1.h"
#include "gui/desktop/event_pump.h"
#include "gui/desktop/window_style.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/widgets/accessible_names.h"
#include "gui/widgets/appearance.h"
#include "gui/widgets/command_button_widget.h"
#include "qt_test_support.h"
#include "window/form_window.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace korvane {
namespace {

using testing::TempFolder;

// The window as built, without loading it: no box opens.
class BuiltWindow : public ::testing::Test {
protected:
    QWidget* widget(const Control& control)
    {
        return window.findChild<QWidget*>(QString::fromStdString(control.name()));
    }

    // Whether a control of this kind is something the user works with by keyboard.
    static bool Interactive(ControlKind kind)
    {
        return kind != ControlKind::Label && kind != ControlKind::ProgressBar &&
               kind != ControlKind::TabContainer;
    }

    QApplication& app = testing::TestApp();
    TempFolder tmp{"c"};
    Disk disk = tmp.disk();
    QtMessageBoxes boxes;
    QtFolderPicker picker{disk};
    QtEventPump pump;
    Form1 form{disk, boxes, picker, pump, WireEvents};
    FormWindow window{form};
};

TEST_F(BuiltWindow, TabVisitsEveryInteractiveControlInTheTabOrderOfTheTable)
{
    std::vector<const Control*> expected;
    for (const Control* c : form.controls()) {
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

TEST_F(BuiltWindow, EveryControlHasANameForAssistiveTechnologies)
{
    for (const Control* c : form.controls()) {
        if (!Interactive(c->kind()) && c->kind() != ControlKind::ProgressBar)
            continue;
        const QWidget* w = widget(*c);
        ASSERT_NE(w, nullptr) << c->name();
        EXPECT_FALSE(w->accessibleName().isEmpty()) << c->name();
        EXPECT_NE(w->accessibleName().toStdString(), c->name()) << "no clear name";
    }
    // Where the caption is a symbol, the name says what the button does.
    EXPECT_EQ(widget(form.Command8)->accessibleName(), "Add to playlist"); // not "<<"
    // A caption that changes renames its button.
    form.Command7.setCaption("Confirm");
    EXPECT_EQ(widget(form.Command7)->accessibleName(), "Confirm");
}

TEST_F(BuiltWindow, FontsAreInstalledFamilies)
{
    for (const Control* c : form.controls()) {
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
TEST_F(BuiltWindow, OnADoubledScreenTheWindowIsTwiceAsLargeInPixels)
{
    window.show();
    const double dpi = window.screen()->logicalDotsPerInch();
    EXPECT_EQ(window.width(), std::lround(kClientWidthTwips * dpi / 1440));
    const int drawnWidth = window.grab().width(); // device pixels

    if (const char* single = std::getenv("KORVANE_SINGLE_WIDTH")) {
        EXPECT_EQ(window.devicePixelRatio(), 2.0);
        EXPECT_EQ(drawnWidth, 2 * std::atoi(single));
        EXPECT_EQ(widget(form.Command19)->grab().height(),
                  2 * TwipsScale(dpi).rect(form.Command19.geometry).height());
        return;
    }
    EXPECT_EQ(drawnWidth, std::lround(window.width() * window.devicePixelRatio()));

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVANE_SINGLE_WIDTH", QString::number(drawnWidth));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=BuiltWindow.OnADoubledScreenTheWindowIsTwiceAsLargeInPixels"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(Scale, ACaptionWiderThanItsButtonTakesASmallerFontAndAShortOneKeepsItsOwn)
{
    testing::TestApp();
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

TEST(Scale, FolderAndDriveIconsAreDrawnAtTheScreensPixels)
{
    testing::TestApp();
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

} // namespace
} // namespace korvane
