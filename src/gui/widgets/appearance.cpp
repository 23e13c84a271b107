#include "gui/widgets/appearance.h"

#include "gui/widgets/accessible_names.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <cmath>
#include <initializer_list>
#include <map>
#include <string>

namespace korvane {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// The classic families are rarely installed here; these look closest, in order of preference.
struct FontSubstitute {
    const char* family;
    std::initializer_list<const char*> candidates;
    QFont::StyleHint hint;
};

const FontSubstitute kFontSubstitutes[] = {
    {"MS Sans Serif",
     {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans", "Arial", "Helvetica",
      "DejaVu Sans"},
     QFont::SansSerif},
    {"Times New Roman",
     {"Liberation Serif", "Tinos", "Nimbus Roman", "Times", "DejaVu Serif"},
     QFont::Serif},
};

// Whether the family is installed under that name. One list of the families, read once, is
// much cheaper than asking fontconfig to resolve each name (hasFamily); a classic name that
// fontconfig would only alias falls through to its substitutes below, which name the same
// fonts directly.
bool IsInstalled(const QString& family)
{
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(family, Qt::CaseInsensitive);
}

QString LookUpInstalledFamily(const std::string& family, QFont::StyleHint& hint)
{
    const QString wanted = QString::fromStdString(family);
    if (IsInstalled(wanted))
        return wanted;
    for (const FontSubstitute& substitute : kFontSubstitutes) {
        if (family != substitute.family)
            continue;
        hint = substitute.hint;
        for (const char* candidate : substitute.candidates)
            if (IsInstalled(QString::fromLatin1(candidate)))
                return QString::fromLatin1(candidate);
    }
    // Never a family that is not installed: the system's own general font instead.
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// Every control the user works with takes the keyboard focus by Tab and by click, whatever
// the style's habit (some give buttons Tab focus only).
bool TakesFocus(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::ProgressBar:
    case ControlKind::TabContainer:
        return false;
    default:
        return true;
    }
}

// Every render of a control maps its font, and each look-up asks fontconfig; the installed
// families do not change while the window runs, so each family is looked up once.
QString InstalledFamily(const std::string& family, QFont::StyleHint& hint)
{
    struct Found {
        QString family;
        QFont::StyleHint hint;
    };
    static std::map<std::string, Found, std::less<>> found;
    auto it = found.find(family);
    if (it == found.end()) {
        QFont::StyleHint foundHint = hint;
        QString installed = LookUpInstalledFamily(family, foundHint);
        it = found.emplace(family, Found{std::move(installed), foundHint}).first;
    }
    hint = it->second.hint;
    return it->second.family;
}

QColor SystemColour(SystemColor color)
{
    const QPalette palette = QApplication::palette();
    switch (color) {
    case SystemColor::ButtonFace:
        return palette.color(QPalette::Button);
    case SystemColor::ButtonText:
        return palette.color(QPalette::ButtonText);
    case SystemColor::ButtonHighlight:
        return palette.color(QPalette::Light);
    case SystemColor::WindowText:
        return palette.color(QPalette::WindowText);
    case SystemColor::Highlight:
        return palette.color(QPalette::Highlight);
    case SystemColor::None:
        break;
    }
    return {};
}

QColor Colour(const Color& color)
{
    if (color.system != SystemColor::None)
        return SystemColour(color.system);
    return QColor::fromRgb(static_cast<QRgb>(color.rgb));
}

// Only the colour groups of a usable control: a disabled one keeps the greyed look.
void SetRoles(QPalette& palette, std::initializer_list<QPalette::ColorRole> roles,
              const QColor& colour)
{
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    }
}

} // namespace

// The logical DPI is in device-independent pixels: on a 200% display it stays near 96 while
// the toolkit doubles every pixel, so the window keeps its size in inches on any screen.
TwipsScale TwipsScale::ofScreen(const QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return TwipsScale(screen ? screen->logicalDotsPerInch() : 96.0);
}

int TwipsScale::px(int twips) const
{
    return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

QRect TwipsScale::rect(const Twips& twips) const
{
    const int left = px(twips.left);
    const int top = px(twips.top);
    return QRect(left, top, px(twips.left + twips.width) - left,
                 px(twips.top + twips.height) - top);
}

QFont MappedFont(const Font& font, const QFont& base)
{
    QFont result = base;
    if (!font.family.empty()) {
        QFont::StyleHint hint = QFont::AnyStyle;
        result.setFamily(InstalledFamily(font.family, hint));
        result.setStyleHint(hint);
    }
    if (font.points > 0)
        result.setPointSizeF(font.points);
    return result;
}

QFont WindowFont()
{
    return MappedFont({"MS Sans Serif", 8.25}, QApplication::font());
}

void ApplyControlState(QWidget& widget, const Control& control)
{
    widget.setEnabled(control.Enabled());
    widget.setToolTip(QString::fromStdString(control.toolTip));
    widget.setAccessibleName(AccessibleName(control));
    widget.setAccessibleDescription(AccessibleDescription(control));
    if (TakesFocus(control.kind()))
        widget.setFocusPolicy(Qt::StrongFocus);

    if (control.font.family.empty() && control.font.points <= 0)
        widget.setFont(QFont()); // inherit the window's font
    else
        widget.setFont(MappedFont(control.font, WindowFont()));

    // A default-constructed palette resolves nothing, so unset roles follow the window's.
    QPalette palette;
    if (!control.backColor.isDefault()) {
        SetRoles(palette, {QPalette::Base, QPalette::Window, QPalette::Button},
                 Colour(control.backColor));
    }
    if (!control.foreColor.isDefault()) {
        SetRoles(palette, {QPalette::Text, QPalette::WindowText, QPalette::ButtonText},
                 Colour(control.foreColor));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(!control.backColor.isDefault());

    SetControlVisible(widget, control.Visible());
}

// A child never hidden shows with its window; showing it before it has its place would make
// the toolkit size it to its contents first, work thrown away when the window places it.
void SetControlVisible(QWidget& widget, bool visible)
{
    if (widget.isVisibleTo(widget.parentWidget()) != visible)
        widget.setVisible(visible);
}

} // namespace korvane
