#include "gui/desktop/window_style.h"

#include "gui/desktop/drawn_icons.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOption>

namespace korvane {

namespace {

// The theme's icon by its standard name where the desktop has one, else the drawn one.
QIcon ThemeOrDrawn(const char* name, DrawnShape shape)
{
    const QString themeName = QString::fromLatin1(name);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return DrawnIcon(shape);
}

} // namespace

WindowStyle& WindowStyle::instance()
{
    static WindowStyle* style = new WindowStyle; // used by widgets until the application ends
    return *style;
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    // A one-pixel line drawn at a fractional scale can fall between device pixels and vanish;
    // a filled rectangle always covers at least one.
    if (element == PE_Frame && qobject_cast<const QAbstractItemView*>(widget)) {
        const QRect r = option->rect;
        // A focused list says so by its frame, whether or not a row carries the focus and
        // however its selection is drawn.
        const QColor line = widget->hasFocus()
                                ? option->palette.color(QPalette::Active, QPalette::Highlight)
                                : option->palette.color(QPalette::Window).darker(140).lighter(108);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
        painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), line);
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QIcon WindowStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                const QWidget* widget) const
{
    switch (icon) {
    case SP_DirClosedIcon:
        return ThemeOrDrawn("folder", DrawnShape::ClosedFolder);
    case SP_DirOpenIcon:
        return ThemeOrDrawn("folder-open", DrawnShape::OpenFolder);
    case SP_DriveHDIcon:
        return ThemeOrDrawn("drive-harddisk", DrawnShape::Drive);
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

} // namespace korvane
