// The window's lists mirror their controls row for row, also with tens of thousands of rows,
// their models stay consistent with their views, the selection goes both ways, and the drive
// drop-down reads the drives again when the user turns to it. The keyboard as the classic
// controls take it, and tooltips for names a list cuts short.
#include "controls/controls.h"
#include "gui/widgets/command_button_widget.h"
#include "gui/widgets/dir_list_widget.h"
#include "gui/widgets/drive_list_widget.h"
#include "gui/widgets/file_list_widget.h"
#include "gui/widgets/list_box_widget.h"
#include "gui/widgets/list_view_rows.h"
#include "gui/widgets/text_box_widget.h"
#include "qt_test_support.h"

#include <QAbstractItemModelTester>
#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace korvane {
namespace {

using Names = std::vector<std::string>;

using testing::TempFolder;
using testing::ToolTipOver;

std::vector<std::string> Rows(const QAbstractItemView& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < RowCount(list); ++i)
        rows.push_back(RowText(list, i).toStdString());
    return rows;
}

// Counts what a model tester finds wrong with a view's model while it lives: a model that
// tells its view of rows it does not hold (or holds rows it did not tell of) shows the wrong
// rows, selection or scroll position.
class ModelChecks {
public:
    explicit ModelChecks(QAbstractItemModel* model)
    {
        faults_ = 0;
        previous_ =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
                faults_ += type != QtDebugMsg && type != QtInfoMsg;
            });
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~ModelChecks()
    {
        tester_.reset();
        qInstallMessageHandler(previous_);
    }
    int faults() const { return faults_; }

private:
    static inline int faults_ = 0;
    QtMessageHandler previous_ = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

std::vector<std::string> Calls(int first, int count)
{
    std::vector<std::string> calls;
    for (int n = first; n < first + count; ++n)
        calls.push_back("call" + std::to_string(n) + ".mp3");
    return calls;
}

TEST(ListBoxWidget, MirrorsEveryKindOfEditRowForRow)
{
    ListBox box("List1");
    ListBoxWidget list(box, nullptr);
    const ModelChecks checks(list.model());

    box.AddItems(Calls(0, 32767));
    EXPECT_EQ(Rows(list), box.items());
    box.RemoveItem(100);
    EXPECT_EQ(Rows(list), box.items());
    box.RemoveItem(0);
    box.RemoveItem(box.ListCount() - 1);
    EXPECT_EQ(Rows(list), box.items());
    box.setList(5, "Taps.mp3");
    EXPECT_EQ(Rows(list), box.items());
    box.AddItem("reveille.mp3");
    EXPECT_EQ(Rows(list), box.items());
    box.Clear();
    EXPECT_EQ(RowCount(list), 0);

    // Repeated names: the rows stay in order whichever copy goes.
    box.AddItems({"Taps.mp3", "Taps.mp3", "tattoo.mp3", "Taps.mp3"});
    box.RemoveItem(1);
    EXPECT_EQ(Rows(list), (Names{"Taps.mp3", "tattoo.mp3", "Taps.mp3"}));
    box.RemoveItem(2);
    EXPECT_EQ(Rows(list), (Names{"Taps.mp3", "tattoo.mp3"}));

    // A reload with a different long playlist replaces every row.
    box.Clear();
    box.AddItems(Calls(0, 500));
    box.Clear();
    box.AddItems(Calls(250, 500));
    EXPECT_EQ(Rows(list), box.items());
    EXPECT_EQ(checks.faults(), 0);
}

TEST(ListBoxWidget, SelectionGoesBothWays)
{
    ListBox box("List1");
    ListBoxWidget list(box, nullptr);
    list.resize(200, 300);
    list.show();
    box.AddItems({"Taps.mp3", "tattoo.mp3", "reveille.mp3", "retreat.mp3", "assembly.mp3"});

    box.setListIndex(3);
    EXPECT_EQ(CurrentRow(list), 3);
    ASSERT_EQ(list.selectionModel()->selectedIndexes().size(), 1);
    EXPECT_EQ(list.selectionModel()->selectedIndexes().front().data(), "retreat.mp3");
    box.RemoveItem(3); // the selected row gone: nothing selected
    EXPECT_TRUE(list.selectionModel()->selectedIndexes().isEmpty());

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowRect(list, 1).center());
    EXPECT_EQ(box.ListIndex(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(box.ListIndex(), 2);
    // Ctrl+click on the selected row would clear the widget's selection; the row stays.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      RowRect(list, 2).center());
    EXPECT_EQ(box.ListIndex(), 2);
    EXPECT_EQ(list.selectionModel()->selectedIndexes().size(), 1);
}

TEST(FileAndFolderLists, FollowTheirControlsThroughFolderChanges)
{
    TempFolder tmp;
    tmp.makeFolder("calls/old");
    tmp.makeFolder("empty");
    for (const std::string& name : Calls(0, 40))
        tmp.writeFile("calls/" + name, "x");
    Disk disk({{'c', tmp.root(), ""}});
    FileListBox files("File2", disk);
    files.setPattern("*.mp3");
    FileListWidget fileList(files, nullptr);
    DirListBox folders("Dir2", disk);
    DirListWidget folderList(folders, nullptr);
    const ModelChecks fileChecks(fileList.model());
    const ModelChecks folderChecks(folderList.model());

    files.setPath("c:\\calls");
    files.setListIndex(30);
    EXPECT_EQ(Rows(fileList), files.names());
    EXPECT_EQ(SelectedRow(fileList), 30);
    // A file added before the current one moves it down a row; it stays the selected one.
    tmp.writeFile("calls/a first call.mp3", "x");
    files.Refresh();
    EXPECT_EQ(Rows(fileList), files.names());
    EXPECT_EQ(RowText(fileList, SelectedRow(fileList)).toStdString(), files.List(31));
    files.setPath("c:\\empty");
    EXPECT_EQ(RowCount(fileList), 0);
    EXPECT_EQ(SelectedRow(fileList), -1);

    // The folder list: the root, the open folder (current), its sub-folder; each row opens
    // its own path.
    folders.setPath("c:\\calls");
    EXPECT_EQ(Rows(folderList), (Names{"c:\\", "calls", "old"}));
    EXPECT_EQ(SelectedRow(folderList), 1);
    const QModelIndex old = folderList.model()->index(2, 0);
    EXPECT_EQ(old.data(DirListWidget::kPathRole), "c:\\calls\\old");
    EXPECT_FALSE(old.data(Qt::DecorationRole).isNull());
    emit folderList.activated(old);
    EXPECT_EQ(folders.Path(), "c:\\calls\\old");
    EXPECT_EQ(Rows(folderList), (Names{"c:\\", "calls", "old"}));
    EXPECT_EQ(SelectedRow(folderList), 2);

    EXPECT_EQ(fileChecks.faults() + folderChecks.faults(), 0);
}

TEST(DriveListWidget, OpeningOrFocusingTheListShowsTheDrivesOfNow)
{
    TempFolder tmp("ce");
    const DriveMapping c{'c', tmp.host('c'), ""};
    const DriveMapping stick{'e', tmp.host('e'), "TARVO"};
    std::vector<DriveMapping> now = {c};
    Disk disk(now);
    disk.setDriveRefresh([&](const std::vector<DriveMapping>&) { return now; });
    DriveListBox drives("Drive2", disk);
    drives.showCurrentDrive();
    DriveListWidget widget(drives, nullptr);
    EXPECT_EQ(Rows(*widget.view()), (Names{"c:"}));

    now.push_back(stick);
    EXPECT_EQ(Rows(*widget.view()), (Names{"c:"})) << "nothing is read before the user turns to it";
    widget.showPopup();
    EXPECT_EQ(Rows(*widget.view()), (Names{"c:", "e: [TARVO]"}));
    EXPECT_EQ(widget.currentText(), "c:");
    widget.hidePopup();

    now.pop_back();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &focusIn);
    EXPECT_EQ(Rows(*widget.view()), (Names{"c:"}));
}

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
