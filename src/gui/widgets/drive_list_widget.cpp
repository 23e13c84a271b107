#include "gui/widgets/drive_list_widget.h"

#include "gui/desktop/window_style.h"
#include "gui/widgets/appearance.h"

#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace korvane {

DriveListWidget::DriveListWidget(DriveListBox& drives, QWidget* parent)
    : QComboBox(parent), drives_(drives)
{
    setObjectName(QString::fromStdString(drives.name()));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(shownEntries_.size()))
            drives_.userChoose(shownEntries_[static_cast<std::size_t>(index)].front());
        render();
    });
    drives.observe([self = QPointer(this)](const Control&) {
        if (self)
            self->render();
    });
    render();
}

void DriveListWidget::render()
{
    const QSignalBlocker blocker(this);
    std::vector<std::string> entries = drives_.entries();
    if (entries != shownEntries_) {
        // Only the icon comes from the window's style: given the combo box, the style would
        // make it build its list popup at once, long before anyone opens it.
        const QIcon drive =
            WindowStyle::instance().standardIcon(QStyle::SP_DriveHDIcon, nullptr, this);
        clear();
        for (const std::string& entry : entries)
            addItem(drive, QString::fromStdString(entry));
        shownEntries_ = std::move(entries);
    }
    const auto it = std::find(shownEntries_.begin(), shownEntries_.end(), drives_.Drive());
    setCurrentIndex(it == shownEntries_.end() ? -1 : static_cast<int>(it - shownEntries_.begin()));
    ApplyControlState(*this, drives_);
}

void DriveListWidget::showPopup()
{
    drives_.Refresh();
    QComboBox::showPopup();
}

void DriveListWidget::focusInEvent(QFocusEvent* event)
{
    drives_.Refresh();
    QComboBox::focusInEvent(event);
}

} // namespace korvane
