// The baseline of the start-up rows: the least a Qt Widgets program does to show one window
// with a line of text in it (a blank window never loads a font, which any real window does).
// KORVANE_EXIT_WHEN_SHOWN makes it end once the window has painted, exactly as korvane does.
#include "gui/desktop/exit_when_shown.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Korvane"));
    window.resize(640, 480);
    korvane::ExitWhenShown exitWhenShown;
    exitWhenShown.installIfAsked();
    window.show();
    return QApplication::exec();
}
