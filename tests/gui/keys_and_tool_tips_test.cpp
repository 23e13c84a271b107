// The keyboard as the classic controls take it (Enter presses a focused button, a focused empty
// list shows its focus, a read-only line shows no selection), and the tooltips that show a
// name the list cuts short.
#include "controls/controls.h"
#include "gui/widgets/command_button_widget.h"
#include "gui/widgets/dir_list_widget.h"
#include "gui/widgets/file_list_widget.h"
#include "gui/widgets/list_box_widget.h"
#include "gui/widgets/list_view_rows.h"
#include "gui/widgets/text_box_widget.h"
#include "qt_test_support.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

using testing::TempFolder;
using testing::ToolTipOver;

// Makes widget the focused widget of an active window.
void Focus(QWidget& window, QWidget& widget, Qt::FocusReason reason = Qt::TabFocusReason)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    widget.setFocus(reason);
    ASSERT_TRUE(widget.hasFocus());
}

TEST(Keys, EnterAndSpacePressAFocusedButtonOnlyWhenItIsUsable)
{
    testing::TestApp();
    QWidget window;
    CommandButton button("Command14");
    button.setCaption("Save");
    int clicks = 0;
    button.onClick([&clicks] { ++clicks; });
    CommandButtonWidget widget(button, &window);
    Focus(window, widget);

    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(&widget, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks, 2);
    QTest::keyClick(&widget, Qt::Key_Space);
    EXPECT_EQ(clicks, 3);
    QTest::keyClick(&widget, Qt::Key_Return, Qt::ControlModifier); // not a press of the button
    EXPECT_EQ(clicks, 3);

    // Held down, Enter presses once, as Space does.
    QTest::keyPress(&widget, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&widget, &repeat);
    QTest::keyRelease(&widget, Qt::Key_Return);
    EXPECT_EQ(clicks, 4);

    button.setEnabled(false);
    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_EQ(clicks, 4);
}

TEST(Keys, ALockedLineTakesFocusWithoutASelectionAndAnEditableOneSelectsAll)
{
    testing::TestApp();
    QWidget window;
    TextBox status("Text2");
    status.setText("      Korvane 1.2 - playlists and calls for your Tarvo player");
    status.setLocked(true);
    TextBoxWidget statusLine(status, &window);
    TextBox name("Text1");
    name.setText("Tarvo_Calls");
    TextBoxWidget nameLine(name, &window);
    window.resize(120, 60); // the status text is longer than its line
    statusLine.setGeometry(0, 0, 120, 24);
    nameLine.setGeometry(0, 30, 120, 24);

    Focus(window, statusLine);
    EXPECT_FALSE(statusLine.hasSelectedText());
    EXPECT_EQ(statusLine.cursorPosition(), 0); // its beginning stays in view
    nameLine.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(nameLine.selectedText(), "Tarvo_Calls");
}

TEST(Keys, AFocusedEmptyListShowsItsFocus)
{
    testing::TestApp();
    QWidget window;
    ListBox box("List1");
    ListBoxWidget list(box, &window);
    QWidget other(&window);
    other.setFocusPolicy(Qt::StrongFocus);
    window.resize(200, 200);
    list.setGeometry(0, 0, 150, 150);
    other.setGeometry(160, 0, 20, 20);

    Focus(window, other);
    const QImage unfocused = list.grab().toImage();
    list.setFocus(Qt::MouseFocusReason);
    const QImage focused = list.grab().toImage();
    EXPECT_NE(focused, unfocused);
    other.setFocus();
    EXPECT_EQ(list.grab().toImage(), unfocused);
}

TEST(ToolTips, ARowCutShortShowsItsWholeNameAndAWholeRowNone)
{
    testing::TestApp();
    TempFolder tmp{"c"};
    const std::string longName = "a call with a name far longer than the list is wide.mp3";
    tmp.writeFile("c:\\" + longName, "x");
    tmp.writeFile("c:\\Taps.mp3", "x");
    tmp.makeFolder("c:\\" + longName.substr(0, longName.size() - 4));
    Disk disk = tmp.disk();

    FileListBox files("File2", disk);
    files.setPattern("*.mp3");
    files.setPath("c:\\");
    FileListWidget fileList(files, nullptr);
    ListBox playlist("List1");
    playlist.AddItems({longName, "Taps.mp3"});
    ListBoxWidget playlistList(playlist, nullptr);
    DirListBox folders("Dir2", disk);
    folders.setPath("c:\\");
    DirListWidget folderList(folders, nullptr);

    for (QAbstractItemView* list :
         std::initializer_list<QAbstractItemView*>{&fileList, &playlistList, &folderList}) {
        list->resize(120, 100);
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
        SCOPED_TRACE(list->objectName().toStdString());
        int longRows = 0;
        for (int row = 0; row < RowCount(*list); ++row) {
            const QString text = RowText(*list, row);
            const bool isLong = text.size() > 40;
            longRows += isLong;
            EXPECT_EQ(ToolTipOver(*list, row), isLong ? text : QString()) << text.toStdString();
        }
        EXPECT_EQ(longRows, 1);
        // Wide enough, the same row needs no tooltip.
        list->resize(1000, 100);
        for (int row = 0; row < RowCount(*list); ++row)
            EXPECT_EQ(ToolTipOver(*list, row), "");
        list->hide();
    }
}

} // namespace
} // namespace korvane
