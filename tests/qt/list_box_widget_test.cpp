// The playlist's list widget mirrors every edit of its ListBox row for row, also for lists of
// tens of thousands of rows, and the selection goes both ways.
#include "platform/controls.h"
#include "platform/qt/list_box_widget.h"
#include "platform/qt/list_view_rows.h"
#include "qt_test_support.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

std::vector<std::string> Rows(const QAbstractItemView& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < RowCount(list); ++i)
        rows.push_back(RowText(list, i).toStdString());
    return rows;
}

std::vector<std::string> Calls(int first, int count)
{
    std::vector<std::string> calls;
    for (int n = first; n < first + count; ++n)
        calls.push_back("call" + std::to_string(n) + ".mp3");
    return calls;
}

TEST(ListBoxWidget, MirrorsEveryKindOfEditRowForRow)
{
    testing::TestApp();
    ListBox box("List1");
    ListBoxWidget list(box, nullptr);

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
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"Taps.mp3", "tattoo.mp3", "Taps.mp3"}));
    box.RemoveItem(2);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"Taps.mp3", "tattoo.mp3"}));

    // A reload with a different long playlist replaces every row.
    box.Clear();
    box.AddItems(Calls(0, 500));
    box.Clear();
    box.AddItems(Calls(250, 500));
    EXPECT_EQ(Rows(list), box.items());
}

TEST(ListBoxWidget, SelectionGoesBothWays)
{
    testing::TestApp();
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

    box.setEnabled(false);
    EXPECT_FALSE(list.isEnabled());
    box.setVisible(false);
    EXPECT_FALSE(list.isVisible());
}

} // namespace
} // namespace korvane
