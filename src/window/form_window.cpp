#include "window/form_window.h"

#include "form/controls_table.h"
#include "gui/desktop/input_hold.h"
#include "gui/widgets/appearance.h"
#include "gui/widgets/control_widgets.h"
#include "window/control_names.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace korvane {

FormWindow::FormWindow(Form1& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName(QStringLiteral("Form1"));
    // The window keeps one size: it offers to be minimised and closed, never maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setAccessibleName(QString::fromStdString(form.Caption()));

    NameControls(form);
    controls_ = form.controls();
    // Stop, outside the table, is the one control that takes clicks while an upload copies.
    controls_.push_back(&form.Stop);
    widgets_.assign(controls_.size(), nullptr);
    for (const Control* control : controls_) {
        const auto container =
            std::find_if(controls_.begin(), controls_.end(), [control](const Control* other) {
                return other->name() == control->container;
            });
        containerOf_.push_back(container == controls_.end()
                                   ? kInWindow
                                   : static_cast<std::size_t>(container - controls_.begin()));
    }
    layOut();
    {
        // A line edit lays out its empty text in the application's font before it takes its
        // own: made while the window's font is the application's, it loads no font the window
        // never shows. (The desktop's later font changes then reach the application no more;
        // its boxes keep the font they had at start.)
        const QFont application = QGuiApplication::font();
        QGuiApplication::setFont(font());
        makeShown();
        QGuiApplication::setFont(application);
    }
    // A control not shown yet gets its widget when it first shows: no time goes into the
    // widgets of the controls start-up hides before the window appears.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (widgets_[i])
            continue;
        controls_[i]->observe([self = QPointer(this), i](const Control&) {
            if (self && !self->widgets_[i] && self->shown(i))
                self->makeShown();
        });
    }

    setWindowTitle(QString::fromStdString(form.Caption()));
    form.observeCaption([self = QPointer(this)](const std::string& caption) {
        if (self) {
            self->setWindowTitle(QString::fromStdString(caption));
            self->setAccessibleName(QString::fromStdString(caption));
        }
    });
    form.observeUnload([self = QPointer(this)] {
        if (self)
            self->close();
    });
}

QWidget* FormWindow::controlWidget(std::string_view name)
{
    const auto it =
        std::find_if(controls_.begin(), controls_.end(),
                     [name](const Control* control) { return control->name() == name; });
    if (it == controls_.end())
        return nullptr;
    const auto index = static_cast<std::size_t>(it - controls_.begin());
    if (widgets_[index])
        return widgets_[index];
    QWidget* widget = make(index);
    order();
    return widget;
}

bool FormWindow::shown(std::size_t index) const
{
    for (std::size_t i = index; i != kInWindow; i = containerOf_[i]) {
        if (!controls_[i]->Visible())
            return false;
    }
    return true;
}

void FormWindow::makeShown()
{
    bool made = false;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (!widgets_[i] && shown(i)) {
            make(i);
            made = true;
        }
    }
    if (made)
        order();
}

QWidget* FormWindow::make(std::size_t index)
{
    if (widgets_[index])
        return widgets_[index];
    const std::size_t container = containerOf_[index];
    QWidget* parent = container == kInWindow ? this : make(container);
    Control& control = *controls_[index];
    QWidget* widget = CreateControlWidget(control, parent);
    if (&control == &form_.Stop)
        widget->setProperty(kStopsWorkProperty, true);
    widget->setGeometry(TwipsScale(laidOutDpi_).rect(control.geometry));
    widgets_[index] = widget;
    return widget;
}

void FormWindow::order()
{
    // A control defined earlier lies above one defined later (Text2 over the tab frame, "Yes"
    // and "Cancel" over the inner frame); all lie above their container's own tab strip.
    std::vector<std::pair<const Control*, QWidget*>> made;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (widgets_[i])
            made.emplace_back(controls_[i], widgets_[i]);
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        it->second->raise();

    std::stable_sort(made.begin(), made.end(), [](const auto& a, const auto& b) {
        return a.first->tabIndex < b.first->tabIndex;
    });
    QWidget* previous = nullptr;
    for (const auto& [control, widget] : made) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

bool FormWindow::covered(const QWidget& widget) const
{
    const QWidget* hit = childAt(widget.mapTo(this, widget.rect().center()));
    return hit && hit != &widget && !widget.isAncestorOf(hit);
}

bool FormWindow::focusNextPrevChild(bool next)
{
    // Bounded by the number of controls, so a window whose every control is covered still
    // stops somewhere.
    const QWidget* start = focusWidget();
    for (std::size_t step = 0; step <= controls_.size(); ++step) {
        if (!QWidget::focusNextPrevChild(next))
            return false;
        const QWidget* now = focusWidget();
        if (!now || now == start || !covered(*now))
            return true;
    }
    return true;
}

std::unique_ptr<FormWindow> FormWindow::AfterLoad(Form1& form)
{
    form.Load();
    if (form.IsUnloaded())
        return nullptr;
    return std::make_unique<FormWindow>(form);
}

void FormWindow::layOut()
{
    const TwipsScale scale = TwipsScale::ofScreen(screen());
    if (scale.dpi() == laidOutDpi_)
        return;
    laidOutDpi_ = scale.dpi();
    setFixedSize(scale.px(kClientWidthTwips), scale.px(kClientHeightTwips));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (widgets_[i])
            widgets_[i]->setGeometry(scale.rect(controls_[i]->geometry));
    }
}

void FormWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Moved to a screen of another DPI, the window takes that screen's size.
    if (!followsScreen_ && windowHandle()) {
        followsScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { layOut(); });
    }
    layOut();
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The title bar's close button unloads like "Exit": nothing is saved.
    if (!form_.IsUnloaded())
        form_.Unload();
    event->accept();
}

} // namespace korvane
