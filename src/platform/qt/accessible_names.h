// What assistive technologies call each control: a button or label by its caption, a list or
// field by what it holds, since those have no caption of their own.
#pragma once

#include "platform/controls.h"

#include <QString>

namespace korvane {

QString AccessibleName(const Control& control);
// A longer description where the caption alone says little ("<<", ">>").
QString AccessibleDescription(const Control& control);

} // namespace korvane
