// The window's definition as data: every control's kind, container, caption or items,
// geometry in twips, tab position, colours and fonts.
#pragma once

#include "controls/controls.h"

#include <string_view>
#include <vector>

namespace korvane {

struct ControlDefinition {
    std::string_view name;
    ControlKind kind;
    std::string_view container; // "" for the window
    std::string_view caption;   // caption, text or (Combo1) the shown text
    Twips geometry;
    int tabIndex;
    Font font = {};
    Color backColor = {};
    Color foreColor = {};
    std::string_view toolTip = {};
    bool shown = true; // false: kept out of sight, it carries nothing for the user
};

inline constexpr std::string_view kWindowCaption = "Korvane Software";
inline constexpr int kClientWidthTwips = 8115;
inline constexpr int kClientHeightTwips = 5340;
// Stop, outside the table: at the right end just above the bar it stops.
inline constexpr Twips kStopGeometry = {7215, 4230, 900, 315};

// In the order of the window's definition; Text2 and Text1 lie above SSTab1, and Command12
// and Command7 above SSTab2.
const std::vector<ControlDefinition>& ControlsTable();

// Combo1's items: the ten playlist slots.
std::vector<std::string> PlaylistItems();

} // namespace korvane
