// How the window looks in the transcript when the real widgets are shown: each control's line
// read from its widget (text, rows, selection, shown, enabled), so that a widget that fails to
// mirror its control shows in the transcript.
#pragma once

#include "controls/controls.h"

#include <string>
#include <vector>

class QWidget;

namespace korvane::replay {

// The line of control as read from widget; the same words as the window's own line.
std::string WidgetLine(const Control& control, const QWidget& widget);
// The rows a folder list or drive list widget shows, top to bottom.
std::vector<std::string> WidgetRows(const QWidget& widget);

} // namespace korvane::replay
