#include "gui/widgets/progress_bar_widget.h"

#include "gui/widgets/appearance.h"

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
    const int before = value();
    setValue(static_cast<int>(std::lround(bar_.Value())));
    ApplyControlState(*this, bar_);
    // The upload's copy loop runs no events; painting the window here, without running any,
    // keeps it drawn (a box closed just before leaves no hole) while the bar advances.
    if (value() != before && isVisible())
        window()->repaint();
}

} // namespace korvane
