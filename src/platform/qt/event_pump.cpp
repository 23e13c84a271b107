#include "platform/qt/event_pump.h"

#include <QCoreApplication>

namespace korvane {

void QtEventPump::yieldToWindowEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace korvane
