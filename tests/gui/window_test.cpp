// The real window, offscreen, on temporary drives: when it appears, where its controls lie, and
// what no scenario run against the widgets does (About, Exit, closing, Enter in the combo). The
// start-up state of every widget, the title and the folder lists' choices are those runs.
#include "events/events.h"
#include "form/form1.h"
#include "gui/desktop/event_pump.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "qt_test_support.h"
#include "window/form_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace korvane {
namespace {

using testing::OnNextModal;
using testing::TempFolder;

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
        window = std::make_unique<FormWindow>(form());
        boxes.setOwner(window.get());
        picker.setOwner(window.get());
        window->loadAndShow();
    }

    Form1& form() { return *formPtr; }

    template <typename W = QWidget> W* widget(const char* name)
    {
        return window->findChild<W*>(QString::fromLatin1(name));
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

    QApplication& app = testing::TestApp();
    TempFolder tmp{"cde"};
    Disk disk{{{'c', tmp.host('c'), ""}, {'d', tmp.host('d'), ""}, {'e', tmp.host('e'), "DEVICE"}}};
    QtMessageBoxes boxes;
    QtFolderPicker picker{disk};
    QtEventPump pump;
    std::unique_ptr<Form1> formPtr;
    std::unique_ptr<FormWindow> window;
    testing::UnansweredBoxes unanswered;
};

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
    struct Seen {
        std::string text;
        bool windowShown;
        bool owned;
        QPoint centre;
    };
    std::vector<Seen> boxes;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes.push_back({box->text().toStdString(), window && window->isVisible(),
                         box->parentWidget() != nullptr, box->frameGeometry().center()});
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(20);
    start();
    answer.stop();

    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().text.rfind("Could not fill \"e:\\Tarvo_Calls\"", 0), 0u)
        << boxes.front().text;
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (const Seen& box : boxes) {
        EXPECT_FALSE(box.windowShown) << box.text;
        EXPECT_FALSE(box.owned) << box.text;
        EXPECT_LE((box.centre - middle).manhattanLength(), 4) << box.text;
    }
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

} // namespace
} // namespace korvane
