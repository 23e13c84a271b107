// The window of Form1: every control's widget at its place in its container, in the stacking
// and tab order of the window's definition, with the caption as the title. A control's widget
// is made when the control first shows (or is asked for). Closing it is the
// same as "Exit": the window unloads. Tab passes by a control that another lies over (the
// folder browser over the playlist), as the user cannot see it.
#pragma once

#include "form/form1.h"

#include <QWidget>

#include <cstddef>
#include <memory>
#include <string_view>
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

    // The widget of the control of that name, made now if the control has not shown yet (as it
    // is: hidden); null when the window has no control of that name.
    QWidget* controlWidget(std::string_view name);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    static constexpr std::size_t kInWindow = static_cast<std::size_t>(-1);

    // Sizes and places the window and every control's widget for the DPI of its screen.
    void layOut();
    // Whether the control at index and every container it lies in are visible.
    bool shown(std::size_t index) const;
    // Makes the widgets of the controls shown now that have none yet.
    void makeShown();
    // Makes the widget of the control at index, and first its container's, in its place.
    QWidget* make(std::size_t index);
    // Puts the widgets made in the window's stacking and tab order.
    void order();
    // Whether another control lies over the middle of this widget.
    bool covered(const QWidget& widget) const;

    Form1& form_;
    std::vector<Control*> controls_;       // the table's order, Stop last
    std::vector<std::size_t> containerOf_; // the index of each one's container, or kInWindow
    std::vector<QWidget*> widgets_;        // null until made
    double laidOutDpi_ = 0;
    bool followsScreen_ = false;
};

} // namespace korvane
