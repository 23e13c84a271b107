// Input as the user gives it to a real widget: keys, typed text, a choice from a drop-down
// list, and acting on the modal dialog that opens next.
#pragma once

#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace korvane::replay {

// A key pressed and released on target.
void PressKey(QWidget& target, int key);
// Replaces the whole text of edit with text, as typing over a selection does.
void TypeOver(QLineEdit& edit, const QString& text);
// Opens the drop-down list, moves to row and takes it with Enter.
void ChooseFromPopup(QComboBox& box, int row);
// Runs act on the modal window that opens next, from inside its event loop. If none opens
// within a few seconds act is never run, so a dialog that fails to appear cannot hang the run.
void OnNextModal(std::function<void(QWidget&)> act);

} // namespace korvane::replay
