#include "platform/qt/progress_bar_widget.h"

#include "platform/qt/appearance.h"

#include <QPointer>

#include <cmath>

namespace korvane {

ProgressBarWidget::ProgressBarWidget(ProgressBar& bar, QWidget* parent)
    : QProgressBar(parent), bar_(bar)
{
    setObjectName(QString::fromStdString(bar.name()));
    setTextVisible(false);
    bar.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void ProgressBarWidget::render()
{
    setRange(static_cast<int>(std::lround(bar_.Min())), static_cast<int>(std::lround(bar_.Max())));
    setValue(static_cast<int>(std::lround(bar_.Value())));
    ApplyControlState(*this, bar_);
}

} // namespace korvane
