#include "events/events.h"

#include "device/folder_choice.h"
#include "form/exit_about.h"
#include "form/form1.h"
#include "form/navigation.h"
#include "library/add.h"
#include "library/delete.h"
#include "playlist/editing.h"
#include "playlist/loading.h"
#include "playlist/save.h"
#include "transfer/reset.h"
#include "transfer/upload.h"

#include <string_view>

namespace korvane {

namespace {

struct EventBinding {
    std::string_view control;
    void (*handler)(Form1&);
};

// Button clicks, the click of Combo1 and the change of a drive or folder list. The hidden
// buttons "All", "CLR", "Partial" and the upload pair carry no operation.
constexpr EventBinding kEvents[] = {
    {"Command1", Command1_Click},   {"Command7", Command7_Click},   {"Command12", Command12_Click},
    {"Drive2", Drive2_Change},      {"Dir2", Dir2_Change},          {"Drive1", Drive1_Change},
    {"Dir1", Dir1_Change},          {"Command13", Command13_Click}, {"Command19", Command19_Click},
    {"Combo1", Combo1_Click},       {"Command10", Command10_Click}, {"Command8", Command8_Click},
    {"Command15", Command15_Click}, {"Command16", Command16_Click}, {"Command14", Command14_Click},
    {"Command4", Command4_Click},   {"Command5", Command5_Click},   {"Command6", Command6_Click},
    {"Command18", Command18_Click}, {"Command2", Command2_Click},   {"Stop", Stop_Click},
};

} // namespace

void WireEvents(Form1& f)
{
    f.onLoad([&f] { Form_Load(f); });
    for (const EventBinding& binding : kEvents) {
        Control* c = f.control(binding.control);
        auto run = [&f, handler = binding.handler] { handler(f); };
        switch (c->kind()) {
        case ControlKind::CommandButton:
            static_cast<CommandButton*>(c)->onClick(run);
            break;
        case ControlKind::ComboBox:
            static_cast<ComboBox*>(c)->onClick(run);
            break;
        case ControlKind::DirListBox:
            static_cast<DirListBox*>(c)->onChange(run);
            break;
        case ControlKind::DriveListBox:
            static_cast<DriveListBox*>(c)->onChange(run);
            break;
        default:
            break;
        }
    }
}

} // namespace korvane
