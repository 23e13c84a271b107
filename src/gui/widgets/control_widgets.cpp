#include "gui/widgets/control_widgets.h"

#include "gui/widgets/combo_box_widget.h"
#include "gui/widgets/command_button_widget.h"
#include "gui/widgets/dir_list_widget.h"
#include "gui/widgets/drive_list_widget.h"
#include "gui/widgets/file_list_widget.h"
#include "gui/widgets/label_widget.h"
#include "gui/widgets/list_box_widget.h"
#include "gui/widgets/progress_bar_widget.h"
#include "gui/widgets/tab_container_widget.h"
#include "gui/widgets/text_box_widget.h"

namespace korvane {

QWidget* CreateControlWidget(Control& control, QWidget* parent)
{
    switch (control.kind()) {
    case ControlKind::CommandButton:
        return new CommandButtonWidget(static_cast<CommandButton&>(control), parent);
    case ControlKind::Label:
        return new LabelWidget(static_cast<Label&>(control), parent);
    case ControlKind::TextBox:
        return new TextBoxWidget(static_cast<TextBox&>(control), parent);
    case ControlKind::ComboBox:
        return new ComboBoxWidget(static_cast<ComboBox&>(control), parent);
    case ControlKind::ListBox:
        return new ListBoxWidget(static_cast<ListBox&>(control), parent);
    case ControlKind::FileListBox:
        return new FileListWidget(static_cast<FileListBox&>(control), parent);
    case ControlKind::DirListBox:
        return new DirListWidget(static_cast<DirListBox&>(control), parent);
    case ControlKind::DriveListBox:
        return new DriveListWidget(static_cast<DriveListBox&>(control), parent);
    case ControlKind::ProgressBar:
        return new ProgressBarWidget(static_cast<ProgressBar&>(control), parent);
    case ControlKind::TabContainer:
        return new TabContainerWidget(static_cast<TabContainer&>(control), parent);
    }
    return nullptr;
}

} // namespace korvane
