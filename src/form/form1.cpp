#include "form/form1.h"

#include "form/controls_table.h"
#include "sys/errors.h"

namespace korvane {

Form1::Form1(Disk& disk_, MessageBoxes& boxes_, FolderPicker& picker_, EventPump& pump_,
             EventWiring wireEvents)
    : disk(disk_), boxes(boxes_), picker(picker_), pump(pump_)
{
    controls_ = {&Text2,     &Text1,        &SSTab1,    &Command12, &Command7,  &SSTab2,
                 &Command2,  &ProgressBar1, &Command21, &Command20, &Command19, &Command18,
                 &Command13, &Command14,    &Command1,  &Command6,  &Command5,  &Command4,
                 &File1,     &Dir1,         &Drive1,    &Drive2,    &File2,     &Dir2,
                 &List1,     &Command8,     &Command17, &Command9,  &Command10, &Command11,
                 &Combo1,    &Command15,    &Command16, &Label6,    &Label5,    &Label3,
                 &Label4,    &Label2,       &Label1};
    applyControlsTable();
    for (Control* c : controls_)
        c->setDispatcher(this);
    Stop.geometry = kStopGeometry;
    Stop.container = "SSTab2";
    Stop.tabIndex = Command18.tabIndex; // right after Upload
    Stop.setCaption("Stop");
    Stop.setVisible(false);
    Stop.setDispatcher(this);
    wireEvents(*this);
}

void Form1::applyControlsTable()
{
    caption_ = std::string(kWindowCaption);
    for (const ControlDefinition& row : ControlsTable()) {
        Control* c = control(row.name);
        c->geometry = row.geometry;
        c->container = std::string(row.container);
        c->tabIndex = row.tabIndex;
        c->font = row.font;
        c->backColor = row.backColor;
        c->foreColor = row.foreColor;
        c->toolTip = std::string(row.toolTip);
        c->setVisible(row.shown);
        const std::string caption(row.caption);
        switch (row.kind) {
        case ControlKind::CommandButton:
            static_cast<CommandButton*>(c)->setCaption(caption);
            break;
        case ControlKind::Label:
            static_cast<Label*>(c)->setCaption(caption);
            break;
        case ControlKind::TextBox:
            static_cast<TextBox*>(c)->setText(caption);
            break;
        case ControlKind::TabContainer:
            static_cast<TabContainer*>(c)->setTabCaption(caption);
            break;
        case ControlKind::ComboBox:
            Combo1.setItems(PlaylistItems());
            Combo1.setText(caption);
            break;
        default:
            break;
        }
    }
    ProgressBar1.setRange(0, kUploadProgressSteps);
    // The drive lists open on the current drive, as the window system shows them.
    Drive1.showCurrentDrive();
    Drive2.showCurrentDrive();
}

Control* Form1::control(std::string_view name) const
{
    for (Control* c : controls_)
        if (c->name() == name)
            return c;
    return name == Stop.name() ? const_cast<CommandButton*>(&Stop) : nullptr;
}

void Form1::Load()
{
    if (loadHandler_)
        dispatch(loadHandler_);
}

void Form1::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    for (const auto& observer : unloadObservers_)
        observer();
}

void Form1::setCaption(std::string caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    for (const auto& observer : captionObservers_)
        observer(caption_);
}

void Form1::observeCaption(std::function<void(const std::string&)> observer)
{
    captionObservers_.push_back(std::move(observer));
}

void Form1::observeUnload(std::function<void()> observer)
{
    unloadObservers_.push_back(std::move(observer));
}

void Form1::dispatch(const std::function<void()>& handler)
{
    // Each operation looks at the folders afresh: the user may have changed them meanwhile.
    // Stop arrives while an upload's worker uses the disk, which is left alone then.
    if (dispatching_ == 0)
        disk.ForgetFolders();
    ++dispatching_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{dispatching_};
    try {
        handler();
    } catch (const PlatformError& error) {
        MsgBox(*this, error.what());
    } catch (const std::exception& error) {
        // Anything else (out of memory, a library's own failure) must not close the window
        // with the user's work in it either.
        MsgBox(*this, std::string("Korvane could not finish this: ") + error.what());
    }
}

int MsgBox(Form1& f, const std::string& prompt, BoxButtons buttons, BoxIcon icon,
           const std::string& title)
{
    return f.boxes.show(prompt, buttons, icon, title.empty() ? kApplicationTitle : title);
}

void YieldToWindowEvents(Form1& f)
{
    f.pump.yieldToWindowEvents();
}

} // namespace korvane
