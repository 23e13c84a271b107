// The dialogs: the folder picker (the drives of the map with their entry texts, folders and
// files when asked read on first expansion, Windows paths for every row, a pick by keyboard),
// and the logic's boxes as real modal boxes (the prompt's lines, the buttons and the answers
// the keyboard and the mouse give).
#include "gui/dialogs/disk_tree_model.h"
#include "gui/dialogs/folder_picker.h"
#include "gui/dialogs/message_boxes.h"
#include "qt_test_support.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::OnNextModal;
using testing::TempFolder;
using Names = std::vector<std::string>;

class FolderPickerTest : public ::testing::Test {
protected:
    FolderPickerTest()
    {
        tmp.makeFolder("d/work/Tarvo_Calls");
        tmp.makeFolder("d/Music");
        tmp.writeFile("d/work/Taps.mp3", "taps");
        tmp.writeFile("d/work/README", "no extension");
    }

    Names texts(const DiskTreeModel& model, const QModelIndex& parent)
    {
        Names result;
        for (int row = 0; row < model.rowCount(parent); ++row)
            result.push_back(model.index(row, 0, parent).data().toString().toStdString());
        return result;
    }

    TempFolder tmp{"cde"};
    Disk disk{{{'c', tmp.host('c'), ""},
               {'d', tmp.host('d'), ""},
               {'e', tmp.host('e'), "DEVICE"},
               {'g', tmp.root() + "/gone", "GONE"}}};
    QtFolderPicker picker{disk};
};

TEST_F(FolderPickerTest, TheTreeShowsTheDrivesAndReadsFoldersWhenOpened)
{
    DiskTreeModel model(disk, false);
    EXPECT_EQ(texts(model, {}), (Names{"c:", "d:", "e: [DEVICE]", "g: [GONE]"}));
    const QModelIndex d = model.index(1, 0);
    EXPECT_EQ(model.pathOf(d), "d:\\");
    EXPECT_TRUE(model.hasChildren(d));
    EXPECT_EQ(model.rowCount(d), 0); // nothing read before the drive is opened

    ASSERT_TRUE(model.canFetchMore(d));
    model.fetchMore(d);
    EXPECT_EQ(texts(model, d), (Names{"Music", "work"}));
    const QModelIndex work = model.index(1, 0, d);
    EXPECT_EQ(model.pathOf(work), "d:\\work");
    model.fetchMore(work);
    EXPECT_EQ(texts(model, work), (Names{"Tarvo_Calls"})); // no files
    EXPECT_EQ(model.pathOf(model.index(0, 0, work)), "d:\\work\\Tarvo_Calls");

    const QModelIndex music = model.index(0, 0, d);
    model.fetchMore(music);
    EXPECT_FALSE(model.hasChildren(music)); // an empty folder loses its expand mark

    QSignalSpy failures(&model, &DiskTreeModel::readFailed);
    const QModelIndex gone = model.index(3, 0);
    model.fetchMore(gone);
    EXPECT_EQ(failures.count(), 1);
    EXPECT_EQ(model.rowCount(gone), 0);
}

TEST_F(FolderPickerTest, WithFilesTooTheFilesFollowTheFolders)
{
    DiskTreeModel model(disk, true);
    const QModelIndex d = model.index(1, 0);
    model.fetchMore(d);
    const QModelIndex work = model.index(1, 0, d);
    model.fetchMore(work);
    EXPECT_EQ(texts(model, work), (Names{"Tarvo_Calls", "README", "Taps.mp3"}));
    EXPECT_TRUE(model.isFile(model.index(2, 0, work)));
    EXPECT_EQ(model.pathOf(model.index(2, 0, work)), "d:\\work\\Taps.mp3");
}

TEST_F(FolderPickerTest, AFolderIsPickedWithTheKeyboardAndCancelPicksNothing)
{
    QString title;
    bool okAtFirst = true;
    OnNextModal([&](QWidget& dialog) {
        title = dialog.findChild<QLabel*>("Request")->text();
        auto* tree = dialog.findChild<QTreeView*>();
        ASSERT_NE(tree, nullptr);
        okAtFirst =
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        QTest::keyClick(tree, Qt::Key_Down);  // d:
        QTest::keyClick(tree, Qt::Key_Right); // opens d:
        QTest::keyClick(tree, Qt::Key_Right); // Music
        QTest::keyClick(tree, Qt::Key_Down);  // work
        QTest::keyClick(tree, Qt::Key_Return);
    });
    EXPECT_EQ(picker.pick("Please click to select Tarvo used", false), "d:\\work");
    EXPECT_EQ(title, "Please click to select Tarvo used");
    EXPECT_FALSE(okAtFirst);

    OnNextModal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(picker.pick("Please click to select Tarvo used", false), "");
}

// A path typed and taken with Enter is how every scenario run against the widgets picks.
TEST_F(FolderPickerTest, EscapeCancelsATypedPathAndEnterWithNothingTypedDoesNothing)
{
    bool okWithText = false;
    OnNextModal([&](QWidget& dialog) {
        auto* path = dialog.findChild<QLineEdit*>("Path");
        ASSERT_NE(path, nullptr);
        QTest::keyClicks(path, "d:\\work");
        okWithText =
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        QTest::keyClick(path, Qt::Key_Escape);
    });
    EXPECT_EQ(picker.pick("Please click to select Tarvo used", false), "");
    EXPECT_TRUE(okWithText);
    bool stillOpen = false;
    OnNextModal([&stillOpen](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QLineEdit*>("Path"), Qt::Key_Return);
        stillOpen = dialog.isVisible();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(picker.pick("Please click to select Tarvo used", false), "");
    EXPECT_TRUE(stillOpen);
}

// Shows a box, lets act answer it, and returns the box's result code.
int Answer(BoxButtons buttons, BoxIcon icon, const std::function<void(QMessageBox&)>& act)
{
    OnNextModal([&act](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        act(*box);
    });
    QtMessageBoxes boxes;
    return boxes.show("Save Play List3?\r\nIt replaces 3.txt", buttons, icon, "Save");
}

// The buttons, icon and title of both kinds of box, and Return, Escape and "No" on a question,
// are in every scenario run against the widgets; here, the answers those runs never give.
TEST(MessageBoxes, TheCancelButtonCancelsAQuestionAndEscapeAnswersANoticeWithOk)
{
    EXPECT_EQ(Answer(BoxButtons::YesNoCancel, BoxIcon::Information,
                     [](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); }),
              kAnswerCancel);
    EXPECT_EQ(Answer(BoxButtons::Ok, BoxIcon::None,
                     [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              kAnswerOk);
}

TEST(MessageBoxes, LineBreaksBecomeNewlinesAndHugeLinesShowTheirEnds)
{
    EXPECT_EQ(BoxText("a\r\nb\rc\r\n\r\nd"), "a\nb\nc\n\nd");
    EXPECT_EQ(BoxText("      leading blanks stay"), "      leading blanks stay");
    const std::string huge = "start" + std::string(1 << 20, 'x') + "end not existed !";
    const QString shown = BoxText("first\r\n" + huge);
    EXPECT_LT(shown.size(), 400);
    EXPECT_TRUE(shown.startsWith("first\nstartxxx"));
    EXPECT_TRUE(shown.endsWith("xxxend not existed !"));
}

} // namespace
} // namespace korvane
