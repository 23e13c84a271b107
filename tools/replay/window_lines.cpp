#include "window_lines.h"

#include "transcript.h"

#include <cstdint>
#include <variant>

namespace korvane::replay {

namespace {

std::string visible(const Control& c)
{
    return " v=" + Flag(c.Visible());
}

std::string visibleEnabled(const Control& c)
{
    return visible(c) + " e=" + Flag(c.Enabled());
}

std::string buttonLine(const CommandButton& b)
{
    return b.name() + " " + Quoted(b.Caption()) + visibleEnabled(b);
}

std::string labelLine(const Label& l)
{
    return l.name() + " " + Quoted(l.Caption()) + visible(l);
}

std::string textBoxLine(const TextBox& t)
{
    return t.name() + " " + Quoted(t.Text()) + visible(t) + " locked=" + Flag(t.Locked());
}

std::string comboLine(const ComboBox& c)
{
    return c.name() + " index=" + std::to_string(c.ListIndex()) + " text=" + Quoted(c.Text()) +
           visibleEnabled(c);
}

std::string listLine(const ListBox& l)
{
    return l.name() + " index=" + std::to_string(l.ListIndex()) + " " + QuotedList(l.items()) +
           visibleEnabled(l);
}

std::string fileListLine(const FileListBox& f)
{
    return f.name() + " path=" + Quoted(f.Path()) + " pattern=" + Quoted(f.Pattern()) +
           " index=" + std::to_string(f.ListIndex()) + " " + QuotedList(f.names()) +
           visibleEnabled(f);
}

std::string dirListLine(const DirListBox& d)
{
    return d.name() + " path=" + Quoted(d.Path()) + visibleEnabled(d);
}

std::string driveListLine(const DriveListBox& d)
{
    return d.name() + " drive=" + Quoted(d.Drive()) + visibleEnabled(d);
}

std::string progressLine(const ProgressBar& p)
{
    return p.name() + " value=" + ShortestNumber(p.Value()) + visible(p);
}

std::string tabLine(const TabContainer& t)
{
    return t.name() + " tab=" + Quoted(t.TabCaption()) + visible(t);
}

// Numbers print bare, texts quoted.
using FieldMember = std::variant<std::int16_t Form1::*, std::int32_t Form1::*,
                                 std::int64_t Form1::*, double Form1::*, std::string Form1::*>;

struct WindowField {
    std::string_view name;
    FieldMember member;
};

// In the order the window declares them.
const WindowField kFields[] = {
    {"FolderConfirmed", &Form1::FolderConfirmed},
    {"UseWorkingCopy", &Form1::UseWorkingCopy},
    {"ConfirmDecision", &Form1::ConfirmDecision},
    {"MsgAnswer", &Form1::MsgAnswer},
    {"DeleteAllQuiet", &Form1::DeleteAllQuiet},
    {"StartFolder", &Form1::StartFolder},
    {"CreatedSoundFolder", &Form1::CreatedSoundFolder},
    {"SoundFolderPath", &Form1::SoundFolderPath},
    {"NewFolderMark", &Form1::NewFolderMark},
    {"ExistingFolderMark", &Form1::ExistingFolderMark},
    {"CapacityBytes", &Form1::CapacityBytes},
    {"UsedBytes", &Form1::UsedBytes},
    {"FileBytes", &Form1::FileBytes},
    {"FreeMegabytes", &Form1::FreeMegabytes},
    {"FactoryPrefix", &Form1::FactoryPrefix},
    {"FactoryPrefixLength", &Form1::FactoryPrefixLength},
    {"SaveArmed", &Form1::SaveArmed},
    {"WaitDone", &Form1::WaitDone},
    {"LineMatched", &Form1::LineMatched},
    {"CandidateFolder", &Form1::CandidateFolder},
    {"DirResult", &Form1::DirResult},
    {"PlaylistFilePath", &Form1::PlaylistFilePath},
    {"PlaylistLine", &Form1::PlaylistLine},
    {"FileIndex", &Form1::FileIndex},
    {"LoopIndex", &Form1::LoopIndex},
    {"UploadDestination", &Form1::UploadDestination},
    {"UploadSourceFile", &Form1::UploadSourceFile},
    {"UploadProgress", &Form1::UploadProgress},
};

struct FieldPrinter {
    const Form1& form;
    std::string operator()(std::string Form1::*member) const { return Quoted(form.*member); }
    std::string operator()(double Form1::*member) const { return ShortestNumber(form.*member); }
    template <typename Integer> std::string operator()(Integer Form1::*member) const
    {
        return std::to_string(form.*member);
    }
};

std::string fieldLine(const Form1& form, const WindowField& field)
{
    return std::string(field.name) + "=" + std::visit(FieldPrinter{form}, field.member);
}

} // namespace

std::string ControlLine(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::CommandButton:
        return buttonLine(static_cast<const CommandButton&>(c));
    case ControlKind::Label:
        return labelLine(static_cast<const Label&>(c));
    case ControlKind::TextBox:
        return textBoxLine(static_cast<const TextBox&>(c));
    case ControlKind::ComboBox:
        return comboLine(static_cast<const ComboBox&>(c));
    case ControlKind::ListBox:
        return listLine(static_cast<const ListBox&>(c));
    case ControlKind::FileListBox:
        return fileListLine(static_cast<const FileListBox&>(c));
    case ControlKind::DirListBox:
        return dirListLine(static_cast<const DirListBox&>(c));
    case ControlKind::DriveListBox:
        return driveListLine(static_cast<const DriveListBox&>(c));
    case ControlKind::ProgressBar:
        return progressLine(static_cast<const ProgressBar&>(c));
    case ControlKind::TabContainer:
        return tabLine(static_cast<const TabContainer&>(c));
    }
    return c.name();
}

std::vector<std::string> ControlRows(const Control& control)
{
    std::vector<std::string> rows;
    if (control.kind() == ControlKind::DirListBox) {
        for (const FolderRow& row : static_cast<const DirListBox&>(control).rows())
            rows.push_back(row.name);
    } else if (control.kind() == ControlKind::DriveListBox) {
        rows = static_cast<const DriveListBox&>(control).entries();
    }
    return rows;
}

std::optional<std::string> FieldLine(const Form1& form, std::string_view name)
{
    for (const WindowField& field : kFields) {
        if (field.name == name)
            return fieldLine(form, field);
    }
    return std::nullopt;
}

std::vector<std::string> FieldLines(const Form1& form)
{
    std::vector<std::string> lines;
    for (const WindowField& field : kFields)
        lines.push_back(fieldLine(form, field));
    return lines;
}

} // namespace korvane::replay
