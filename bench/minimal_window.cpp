// The baseline of the start-up rows: the least a Qt Widgets program does to show one window
// with a line of text in it (a blank window never loads a font, which any real window does).
// KORVANE_EXIT_WHEN_SHOWN makes it end once the window has painted, exactly as korvane does.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

#include <cstdlib>

namespace {

class ExitWhenShown : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first widget painted starts the paint pass of the whole window; the exit
        // waits for the end of that pass.
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Korvane"));
    window.resize(640, 480);
    ExitWhenShown exitWhenShown;
    if (std::getenv("KORVANE_EXIT_WHEN_SHOWN"))
        QApplication::instance()->installEventFilter(&exitWhenShown);
    window.show();
    return QApplication::exec();
}
