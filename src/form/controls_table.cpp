#include "form/controls_table.h"

#include <string>

namespace korvane {

namespace {
using K = ControlKind;
constexpr Color kNavy{SystemColor::None, 0x000080};
constexpr Color kButtonFace{SystemColor::ButtonFace, -1};
constexpr Color kButtonText{SystemColor::ButtonText, -1};
constexpr Color kButtonHighlight{SystemColor::ButtonHighlight, -1};
constexpr Color kWindowText{SystemColor::WindowText, -1};
constexpr Color kHighlight{SystemColor::Highlight, -1};
} // namespace

const std::vector<ControlDefinition>& ControlsTable()
{
    static const std::vector<ControlDefinition> table = {
        // name, kind, container, caption, {left, top, width, height}, tab, font, back, fore
        {"Text2", K::TextBox, "", "", {-165, 4995, 8325, 360}, 2, {"MS Sans Serif", 9.75}},
        {"Text1", K::TextBox, "", "", {30, 4845, 8115, 720}, 1, {}, kButtonHighlight, kButtonText},
        {"SSTab1", K::TabContainer, "", "Tab 0", {0, 0, 8145, 6615}, 0, {"Times New Roman", 9.75}},
        {"Command12", K::CommandButton, "SSTab1", "Cancel", {6720, 4020, 860, 400}, 24},
        {"Command7", K::CommandButton, "SSTab1", "Yes", {5760, 4020, 860, 400}, 23},
        {"SSTab2",
         K::TabContainer,
         "SSTab1",
         "Tab 0",
         {0, 0, 8175, 5145},
         3,
         {"MS Sans Serif", 8.25}},
        {"Command2", K::CommandButton, "SSTab2", "Reset", {2600, 0, 615, 275}, 36},
        {"ProgressBar1", K::ProgressBar, "SSTab2", "", {0, 4560, 8175, 255}, 35},
        {"Command21", K::CommandButton, "SSTab2", "Cancel", {2640, 4020, 860, 400}, 33},
        {"Command20", K::CommandButton, "SSTab2", "Yes", {1800, 4020, 860, 400}, 32},
        {"Command19", K::CommandButton, "SSTab2", "About", {1320, 0, 660, 275}, 31},
        {"Command18", K::CommandButton, "SSTab2", "Upload", {1920, 3660, 700, 300}, 30},
        {"Command13", K::CommandButton, "SSTab2", "Exit", {1980, 0, 615, 275}, 27},
        {"Command14", K::CommandButton, "SSTab2", "Save", {660, 0, 660, 275}, 26},
        {"Command1", K::CommandButton, "SSTab2", "File", {0, 0, 660, 275}, 25},
        {"Command6", K::CommandButton, "SSTab2", "Delete All", {6720, 3660, 860, 300}, 20},
        {"Command5", K::CommandButton, "SSTab2", "Delete", {5760, 3660, 700, 300}, 19},
        {"Command4", K::CommandButton, "SSTab2", "Add", {4785, 3660, 700, 300}, 18},
        {"File1", K::FileListBox, "SSTab2", "", {4755, 810, 2835, 2430}, 17},
        {"Dir1", K::DirListBox, "SSTab2", "", {120, 1060, 3300, 2340}, 16},
        {"Drive1", K::DriveListBox, "SSTab2", "", {120, 720, 3300, 315}, 15},
        {"Drive2", K::DriveListBox, "SSTab2", "", {90, 755, 3300, 315}, 9},
        {"File2", K::FileListBox, "SSTab2", "", {4755, 810, 2830, 2430}, 5},
        {"Dir2", K::DirListBox, "SSTab2", "", {90, 1060, 3300, 2340}, 4},
        {"List1", K::ListBox, "SSTab2", "", {800, 1580, 2500, 1815}, 10},
        {"Command8", K::CommandButton, "SSTab2", "<<", {3600, 1785, 900, 440}, 11},
        {"Command17",
         K::CommandButton,
         "SSTab2",
         "Partial",
         {3720, 720, 800, 300},
         12,
         {},
         {},
         {},
         "Select multi source files"},
        {"Command9", K::CommandButton, "SSTab2", "All", {3720, 1000, 800, 300}, 6},
        {"Command10", K::CommandButton, "SSTab2", ">>", {3600, 2460, 900, 440}, 7},
        {"Command11", K::CommandButton, "SSTab2", "CLR", {3720, 1320, 800, 300}, 8},
        {"Combo1",
         K::ComboBox,
         "SSTab2",
         "Play List0",
         {800, 755, 2500, 315},
         14,
         {},
         kButtonFace,
         kNavy},
        {"Command15", K::CommandButton, "SSTab2", "Up", {900, 1320, 700, 300}, 28},
        {"Command16", K::CommandButton, "SSTab2", "Down", {1800, 1320, 700, 300}, 29},
        {"Label6",
         K::Label,
         "SSTab2",
         "label6_ID_list",
         {2520, 360, 1215, 255},
         38,
         {},
         {},
         {},
         {},
         false},
        // Add keeps its scratch text here; the user has no use for it.
        {"Label5",
         K::Label,
         "SSTab2",
         "Label5_ConvertCharForDrive",
         {120, 360, 2175, 255},
         37,
         {},
         {},
         {},
         {},
         false},
        {"Label3", K::Label, "SSTab2", "", {6240, 480, 1335, 255}, 34, {}, {}, kHighlight},
        {"Label4", K::Label, "SSTab2", "", {4755, 3250, 2835, 285}, 22, {}, {}, kNavy},
        {"Label2",
         K::Label,
         "SSTab2",
         "Calls on Computer:",
         {4815, 375, 1800, 480},
         21,
         {},
         {},
         kNavy},
        {"Label1", K::Label, "SSTab2", "", {3135, 540, 855, 255}, 13, {}, {}, kWindowText},
    };
    return table;
}

std::vector<std::string> PlaylistItems()
{
    std::vector<std::string> items;
    for (int n = 0; n <= 9; ++n)
        items.push_back("Play List" + std::to_string(n));
    return items;
}

} // namespace korvane
