#include "real_window.h"

#include "events/events.h"

#include <QCoreApplication>

#include <stdexcept>

namespace korvane::bench {

RealWindow::RealWindow(std::string letters) : drives(std::move(letters)), disk(drives.disk()) {}

RealWindow::~RealWindow() = default;

Form1& RealWindow::start(const std::string& cwd)
{
    disk.ChDrive(cwd);
    disk.ChDir(cwd);
    form_ = std::make_unique<Form1>(disk, boxes, picker, pump, WireEvents);
    window_ = FormWindow::AfterLoad(*form_);
    if (!window_)
        throw std::runtime_error("start-up closed the window");
    window_->show();
    settle();
    return *form_;
}

void RealWindow::settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace korvane::bench
