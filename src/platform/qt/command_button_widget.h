// A CommandButton as a push button: shows its caption and state, and turns a press into the
// button's click.
#pragma once

#include "platform/controls.h"

#include <QPushButton>

namespace korvane {

class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(CommandButton& button, QWidget* parent);
    void render();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CommandButton& button_;
};

} // namespace korvane
