// Makes the widget of a control by its kind.
#pragma once

#include "controls/controls.h"

class QWidget;

namespace korvane {

// The widget, a child of parent, bound to control both ways and named after it.
QWidget* CreateControlWidget(Control& control, QWidget* parent);

} // namespace korvane
