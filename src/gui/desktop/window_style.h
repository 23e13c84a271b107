// The style of the window's controls: the application's own style, with the frames of the
// lists drawn as filled edges (in the highlight colour while a list has the focus) and the
// folder and drive icons drawn as shapes, so that frames keep their lines at fractional scales
// (125 %, 150 %, 175 %) and icons stay sharp at any scale. The theme's own icons are used where the
// desktop has them.
#pragma once

#include <QProxyStyle>

namespace korvane {

class WindowStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The one instance the window's controls share; it lives as long as the application.
    static WindowStyle& instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;

private:
    WindowStyle() = default;
};

} // namespace korvane
