// What assistive technologies call each control: the name the window gave it, otherwise a
// button or label by its caption.
#pragma once

#include "controls/controls.h"

#include <QString>

namespace korvane {

QString AccessibleName(const Control& control);
// The description the window gave it, otherwise its tool tip.
QString AccessibleDescription(const Control& control);

} // namespace korvane
