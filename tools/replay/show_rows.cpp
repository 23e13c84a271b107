// show rows: the rows a folder or drive list shows, which its control line leaves out, so that
// a list whose rows differ from the logic's shows in the transcript.
#include "command_handlers.h"
#include "session.h"

namespace korvane::replay {

Action ShowRowsCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 2, 2, "show rows CONTROL");
    const std::string name = in.arguments[1].text;
    const Control& control = s.control(name);
    if (control.kind() != ControlKind::DirListBox && control.kind() != ControlKind::DriveListBox)
        throw ScriptError("show rows needs a folder or drive list, not " + name);
    return [&s, name] {
        s.transcript.line("rows " + name + " " + QuotedList(s.frontend().rows(s.control(name))));
    };
}

} // namespace korvane::replay
