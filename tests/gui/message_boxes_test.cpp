// The logic's boxes as real modal boxes: the prompt's lines, the buttons and the answers the
// keyboard and the mouse give.
#include "gui/dialogs/message_boxes.h"
#include "qt_test_support.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::OnNextModal;

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
    testing::TestApp();
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
