// The window at any scale: captions keep air on both sides of their buttons, and the folder
// and drive icons are drawn at the screen's own pixels instead of enlarged.
#include "controls/controls.h"
#include "gui/desktop/window_style.h"
#include "gui/widgets/command_button_widget.h"
#include "qt_test_support.h"

#include <QFontMetrics>
#include <QStyle>

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

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
