// A CommandButton as a push button: shows its caption and state, and turns a press (a click,
// Space or Enter) into the button's click. A caption never touches the button's edges.
#pragma once

#include "controls/controls.h"

#include <QFont>
#include <QPushButton>
#include <QString>

namespace korvane {

class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(CommandButton& button, QWidget* parent);
    void render();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A caption wider than the button takes a smaller size of its font.
    void fitCaption();

    CommandButton& button_;
    // The last fitting, redone only when the caption, the width or the natural font changes.
    QString fittedCaption_;
    int fittedWidth_ = -1;
    QFont naturalFont_;
    QFont fittedFont_;
};

} // namespace korvane
