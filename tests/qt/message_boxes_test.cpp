// The logic's boxes as real modal boxes: the prompt's lines, the buttons and the answers the
// keyboard and the mouse give.
#include "platform/qt/message_boxes.h"
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

TEST(MessageBoxes, AQuestionHasYesNoAndCancelWithYesAsDefaultAndEscapeAsCancel)
{
    testing::TestApp();
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    EXPECT_EQ(Answer(BoxButtons::YesNoCancel, BoxIcon::Information,
                     [&](QMessageBox& box) {
                         text = box.text();
                         icon = box.icon();
                         title = box.windowTitle();
                         EXPECT_EQ(box.standardButtons(),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                         EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
                         QTest::keyClick(&box, Qt::Key_Return);
                     }),
              kAnswerYes);
    EXPECT_EQ(text, "Save Play List3?\nIt replaces 3.txt");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(title, "Save");

    EXPECT_EQ(Answer(BoxButtons::YesNoCancel, BoxIcon::Information,
                     [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              kAnswerCancel);
    EXPECT_EQ(Answer(BoxButtons::YesNoCancel, BoxIcon::Information,
                     [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
              kAnswerNo);
    EXPECT_EQ(Answer(BoxButtons::YesNoCancel, BoxIcon::Information,
                     [](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); }),
              kAnswerCancel);
}

TEST(MessageBoxes, ANoticeHasOnlyOkAndNoIcon)
{
    testing::TestApp();
    EXPECT_EQ(Answer(BoxButtons::Ok, BoxIcon::None,
                     [](QMessageBox& box) {
                         EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
                         EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
                         QTest::keyClick(&box, Qt::Key_Escape);
                     }),
              kAnswerOk);
    EXPECT_EQ(Answer(BoxButtons::Ok, BoxIcon::None,
                     [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }),
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
