#include "widget_lines.h"

#include "gui/widgets/list_view_rows.h"
#include "transcript.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QTabWidget>

#include <cmath>
#include <vector>

namespace korvane::replay {

namespace {

std::string Text(const QString& text)
{
    return Quoted(text.toStdString());
}

// Its own state, whatever its container's: as the control's Visible and Enabled read.
std::string visible(const QWidget& w)
{
    return " v=" + Flag(w.isVisibleTo(w.parentWidget()));
}

std::string visibleEnabled(const QWidget& w)
{
    return visible(w) + " e=" + Flag(w.isEnabledTo(w.parentWidget()));
}

std::vector<std::string> Rows(const QAbstractItemView& list)
{
    std::vector<std::string> rows;
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row)
        rows.push_back(RowText(list, row).toStdString());
    return rows;
}

template <typename W> const W& As(const QWidget& widget)
{
    return static_cast<const W&>(widget);
}

std::string progressValue(const ProgressBar& bar, const QProgressBar& widget)
{
    // The bar shows whole steps; a fraction of the control reads as its own when it rounds to
    // the step shown.
    if (widget.value() == static_cast<int>(std::lround(bar.Value())))
        return ShortestNumber(bar.Value());
    return std::to_string(widget.value());
}

} // namespace

std::string WidgetLine(const Control& c, const QWidget& w)
{
    const std::string name = c.name();
    switch (c.kind()) {
    case ControlKind::CommandButton:
        return name + " " + Text(As<QAbstractButton>(w).text()) + visibleEnabled(w);
    case ControlKind::Label:
        return name + " " + Text(As<QLabel>(w).text()) + visible(w);
    case ControlKind::TextBox: {
        const auto& edit = As<QLineEdit>(w);
        return name + " " + Text(edit.text()) + visible(w) + " locked=" + Flag(edit.isReadOnly());
    }
    case ControlKind::ComboBox: {
        const auto& combo = As<QComboBox>(w);
        return name + " index=" + std::to_string(combo.currentIndex()) +
               " text=" + Text(combo.currentText()) + visibleEnabled(w);
    }
    case ControlKind::ListBox: {
        // The selected row; the current row alone, without the selection, is no choice.
        const auto& list = As<QListView>(w);
        return name + " index=" + std::to_string(SelectedRow(list)) + " " + QuotedList(Rows(list)) +
               visibleEnabled(w);
    }
    case ControlKind::FileListBox: {
        // The folder and pattern are not shown by the list; they come from the control.
        const auto& files = static_cast<const FileListBox&>(c);
        const auto& list = As<QListView>(w);
        return name + " path=" + Quoted(files.Path()) + " pattern=" + Quoted(files.Pattern()) +
               " index=" + std::to_string(SelectedRow(list)) + " " + QuotedList(Rows(list)) +
               visibleEnabled(w);
    }
    case ControlKind::DirListBox:
        return name + " path=" + Quoted(static_cast<const DirListBox&>(c).Path()) +
               visibleEnabled(w);
    case ControlKind::DriveListBox:
        return name + " drive=" + Text(As<QComboBox>(w).currentText()) + visibleEnabled(w);
    case ControlKind::ProgressBar:
        return name +
               " value=" + progressValue(static_cast<const ProgressBar&>(c), As<QProgressBar>(w)) +
               visible(w);
    case ControlKind::TabContainer:
        return name + " tab=" + Text(As<QTabWidget>(w).tabText(0)) + visible(w);
    }
    return name;
}

std::vector<std::string> WidgetRows(const QWidget& widget)
{
    if (const auto* list = qobject_cast<const QListView*>(&widget))
        return Rows(*list);
    std::vector<std::string> rows;
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int row = 0; row < combo->count(); ++row)
            rows.push_back(combo->itemText(row).toStdString());
    }
    return rows;
}

} // namespace korvane::replay
