// A TextBox as a one-line edit: read-only while Locked; what the user types replaces the
// control's text.
#pragma once

#include "controls/controls.h"

#include <QLineEdit>

namespace korvane {

class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    TextBoxWidget(TextBox& box, QWidget* parent);
    void render();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    TextBox& box_;
};

} // namespace korvane
