// How the window's definition turns into pixels, fonts and colours on this screen: twips
// scaled by the logical DPI, the classic font families mapped to installed ones, and the
// system colours taken from the application palette.
#pragma once

#include "controls/controls.h"

#include <QFont>
#include <QRect>

class QScreen;
class QWidget;

namespace korvane {

class TwipsScale {
public:
    explicit TwipsScale(double logicalDpi) : dpi_(logicalDpi) {}
    // The scale of screen, or of the primary screen when there is none.
    static TwipsScale ofScreen(const QScreen* screen = nullptr);
    double dpi() const { return dpi_; }

    int px(int twips) const;
    // Edges are scaled, not sizes, so neighbouring controls keep meeting exactly.
    QRect rect(const Twips& twips) const;

private:
    double dpi_;
};

// A font of the window's definition ("MS Sans Serif" 8.25) as an installed family at the
// same point size; an empty family or size keeps the toolkit's choice.
QFont MappedFont(const Font& font, const QFont& base);

// The font every control without one of its own uses: the classic dialog font.
QFont WindowFont();

// Applies what every control kind mirrors the same way: shown or hidden, enabled, the
// tooltip, the font and the colours.
void ApplyControlState(QWidget& widget, const Control& control);

// Shows or hides a control's widget, only when that changes what the window will show.
void SetControlVisible(QWidget& widget, bool visible);

} // namespace korvane
