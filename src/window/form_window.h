// The window of Form1: every control's widget at its place in its container, in the stacking
// and tab order of the window's definition, with the caption as the title. Closing it is the
// same as "Exit": the window unloads. Tab passes by a control that another lies over (the
// folder browser over the playlist), as the user cannot see it.
#pragma once

#include "form/form1.h"

#include <QWidget>

#include <memory>

#include <utility>
#include <vector>

namespace korvane {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form1& form, QWidget* parent = nullptr);

    // Runs start-up, then makes the window on the state it left, as a form appears once its
    // load is done: each control's widget is made once, as it will first be seen (the controls
    // start-up hides never show, the fonts it replaces are never loaded), and start-up's boxes
    // stand on their own. Null when start-up unloads the form. The caller shows the window.
    static std::unique_ptr<FormWindow> AfterLoad(Form1& form);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Sizes and places the window and every control for the DPI of the screen it is on.
    void layOut();
    // Whether another control lies over the middle of this widget.
    bool covered(const QWidget& widget) const;

    Form1& form_;
    std::vector<std::pair<const Control*, QWidget*>> placed_;
    double laidOutDpi_ = 0;
    bool followsScreen_ = false;
};

} // namespace korvane
