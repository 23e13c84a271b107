#include "gui/widgets/tab_container_widget.h"

#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QTabBar>

namespace korvane {

// A tab without a caption takes no room: the strip is a plain bar above the frame, for the
// controls placed on it (the inner frame's row of small buttons).
//
// The caption's font is taken when the strip is first painted. Until then the strip measures
// its tab in the font it inherits, which is loaded already: the outer frame's strip lies under
// the inner frame and is never painted, and its font, one no other control uses, need not be
// found and loaded before the window shows.
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;
    void setCaptionFont(const QFont& font)
    {
        captionFont_ = font;
        if (painted_)
            setFont(font);
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (tabText(index).isEmpty())
            size.setWidth(0);
        return size;
    }
    void paintEvent(QPaintEvent* event) override
    {
        if (!painted_) {
            painted_ = true;
            setFont(captionFont_); // measured again afterwards if it changes the tab's size
        }
        QTabBar::paintEvent(event);
    }

private:
    QFont captionFont_;
    bool painted_ = false;
};

TabContainerWidget::TabContainerWidget(TabContainer& container, QWidget* parent)
    : QTabWidget(parent), container_(container)
{
    setObjectName(QString::fromStdString(container.name()));
    strip_ = new TabStrip(this);
    setTabBar(strip_);
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
    strip_->setCaptionFont(MappedFont(container_.font, font()));
    setEnabled(container_.Enabled());
    SetControlVisible(*this, container_.Visible());
}

} // namespace korvane
