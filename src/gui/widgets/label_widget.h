// A Label as a plain-text label that wraps at word boundaries within its rectangle.
#pragma once

#include "controls/controls.h"

#include <QLabel>

namespace korvane {

class LabelWidget : public QLabel {
    Q_OBJECT
public:
    LabelWidget(Label& label, QWidget* parent);
    void render();

private:
    Label& label_;
};

} // namespace korvane
