#include "window/form_window.h"

#include "form/controls_table.h"
#include "gui/desktop/input_hold.h"
#include "gui/widgets/appearance.h"
#include "gui/widgets/control_widgets.h"
#include "window/control_names.h"

#include <QCloseEvent>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <map>
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
    std::map<std::string, QWidget*, std::less<>> byName;
    std::vector<std::pair<const Control*, QWidget*>> placed;
    for (Control* control : form.controls()) {
        const auto container = byName.find(control->container);
        QWidget* parentWidget = container == byName.end() ? this : container->second;
        QWidget* widget = CreateControlWidget(*control, parentWidget);
        byName.emplace(control->name(), widget);
        placed.emplace_back(control, widget);
    }
    // Stop, outside the table, is the one control that takes clicks while an upload copies.
    QWidget* stop = CreateControlWidget(form.Stop, byName.at(form.Stop.container));
    stop->setProperty(kStopsWorkProperty, true);
    placed.emplace_back(&form.Stop, stop);
    placed_ = placed;
    layOut();

    // A control defined earlier lies above one defined later (Text2 over the tab frame, "Yes"
    // and "Cancel" over the inner frame); all lie above their container's own tab strip.
    for (auto it = placed.rbegin(); it != placed.rend(); ++it)
        it->second->raise();

    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return a.first->tabIndex < b.first->tabIndex;
    });
    QWidget* previous = nullptr;
    for (const auto& [control, widget] : placed) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
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
    for (std::size_t step = 0; step <= placed_.size(); ++step) {
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
    for (const auto& [control, widget] : placed_)
        widget->setGeometry(scale.rect(control->geometry));
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
