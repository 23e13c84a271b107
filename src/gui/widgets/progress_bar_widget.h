// A ProgressBar as a progress bar over its range (0 to 20 for the upload), without the
// percentage text the classic bar never showed.
#pragma once

#include "controls/controls.h"

#include <QProgressBar>

namespace korvane {

class ProgressBarWidget : public QProgressBar {
    Q_OBJECT
public:
    ProgressBarWidget(ProgressBar& bar, QWidget* parent);
    void render();

private:
    ProgressBar& bar_;
};

} // namespace korvane
