// The commands that reach an upload while it runs: a slow medium, and input that arrives at a
// value of the bar.
#include "command_handlers.h"
#include "session.h"

namespace korvane::replay {

Action SlowFaultCommand(Session& s, const Invocation& in)
{
    ExpectArguments(in, 3, 3, "fault slow PATTERN BYTES_PER_SECOND");
    const std::int64_t rate = ParseInteger(in.arguments[2]);
    if (rate <= 0)
        throw ScriptError("a medium writes at some speed: " + in.arguments[2].source);
    return [&s, rule = SlowRule{in.arguments[1].text, rate}] { s.faults.addSlow(rule); };
}

Action AtProgressCommand(Session& s, const Invocation& in)
{
    Lexer lexer(in.rest);
    const Word value = lexer.next(false);
    const std::string_view rest = lexer.rest();
    if (value.text.empty() || rest.empty())
        throw ScriptError("usage: at-progress N COMMAND");
    const std::int64_t at = ParseInteger(value);
    PreparedCommand input = PrepareCommand(s, rest);
    if (!input.command->userInput)
        throw ScriptError(std::string(input.command->name) + " is no user input");
    // Only Stop acts while the upload runs; the rest waits for its end, as held-back input.
    Lexer words(rest);
    const bool stop = words.next(false).text == "click" && words.next(false).text == "Stop";
    return [&s, at, stop, text = std::string(rest), run = std::move(input.run)] {
        s.pump.queueAtProgress(static_cast<double>(at), {text, s.line(), run, stop});
    };
}

} // namespace korvane::replay
