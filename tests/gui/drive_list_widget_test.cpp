// The drive drop-down reads the drives again when the user turns to it: a volume mounted or
// pulled out since shows or goes.
#include "gui/widgets/drive_list_widget.h"
#include "qt_test_support.h"

#include <QFocusEvent>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::TempFolder;

QStringList texts(const QComboBox& combo)
{
    QStringList result;
    for (int i = 0; i < combo.count(); ++i)
        result << combo.itemText(i);
    return result;
}

TEST(DriveListWidget, OpeningOrFocusingTheListShowsTheDrivesOfNow)
{
    testing::TestApp();
    TempFolder tmp("ce");
    const DriveMapping c{'c', tmp.host('c'), ""};
    const DriveMapping stick{'e', tmp.host('e'), "TARVO"};
    std::vector<DriveMapping> now = {c};
    Disk disk(now);
    disk.setDriveRefresh([&](const std::vector<DriveMapping>&) { return now; });
    DriveListBox drives("Drive2", disk);
    drives.showCurrentDrive();
    DriveListWidget widget(drives, nullptr);
    EXPECT_EQ(texts(widget), QStringList({"c:"}));

    now.push_back(stick);
    EXPECT_EQ(texts(widget), QStringList({"c:"})) << "nothing is read before the user turns to it";
    widget.showPopup();
    EXPECT_EQ(texts(widget), QStringList({"c:", "e: [TARVO]"}));
    EXPECT_EQ(widget.currentText(), "c:");
    widget.hidePopup();

    now.pop_back();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &focusIn);
    EXPECT_EQ(texts(widget), QStringList({"c:"}));
}

} // namespace
} // namespace korvane
