// A TabContainer as a tab frame with its one tab. The controls it holds are children of this
// widget placed over the tab strip and the page, as on the classic tabbed container; its font
// is the tab's font only, never the font of the controls on it.
#pragma once

#include "controls/controls.h"

#include <QTabWidget>

namespace korvane {

class TabStrip;

class TabContainerWidget : public QTabWidget {
    Q_OBJECT
public:
    TabContainerWidget(TabContainer& container, QWidget* parent);
    void render();

private:
    TabContainer& container_;
    TabStrip* strip_ = nullptr;
};

} // namespace korvane
