#include "platform/qt/tab_container_widget.h"

#include "platform/qt/appearance.h"

#include <QPointer>
#include <QTabBar>

namespace korvane {

TabContainerWidget::TabContainerWidget(TabContainer& container, QWidget* parent)
    : QTabWidget(parent), container_(container)
{
    setObjectName(QString::fromStdString(container.name()));
    addTab(new QWidget(this), QString());
    tabBar()->setFocusPolicy(Qt::NoFocus); // one tab: nothing to switch to
    setFocusPolicy(Qt::NoFocus);
    // Opaque, like the classic container: nothing behind it shows through the tab strip.
    setAutoFillBackground(true);
    container.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void TabContainerWidget::render()
{
    setTabText(0, QString::fromStdString(container_.TabCaption()));
    tabBar()->setFont(MappedFont(container_.font, font()));
    setEnabled(container_.Enabled());
    setHidden(!container_.Visible());
}

} // namespace korvane
