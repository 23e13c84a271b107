#include "gui/widgets/tab_container_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QTabBar>

namespace korvane {

namespace {

// A tab without a caption takes no room: the strip is a plain bar above the frame, for the
// controls placed on it (the inner frame's row of small buttons).
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (tabText(index).isEmpty())
            size.setWidth(0);
        return size;
    }
};

} // namespace

TabContainerWidget::TabContainerWidget(TabContainer& container, QWidget* parent)
    : QTabWidget(parent), container_(container)
{
    setObjectName(QString::fromStdString(container.name()));
    setTabBar(new TabStrip(this));
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
