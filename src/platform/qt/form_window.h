// The window of Form1: every control's widget at its place in its container, in the stacking
// and tab order of the window's definition, with the caption as the title. Closing it is the
// same as "Exit": the window unloads.
#pragma once

#include "app/form1.h"

#include <QWidget>

namespace korvane {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form1& form, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form1& form_;
};

} // namespace korvane
