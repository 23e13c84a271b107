// The commands of the scenario language as one table: what each is called, when it may run,
// how its words are read, and the handler that checks them and binds the action.
#pragma once

#include "lexer.h"

#include <functional>
#include <string_view>
#include <vector>

namespace korvane::replay {

class Session;

using Action = std::function<void()>;

struct Invocation {
    std::string_view name;
    std::vector<Word> arguments;
    std::string_view rest; // the arguments as written, for a command that carries a command
};

enum class When { Anytime, BeforeStart, AfterStart };
enum class Reading { Words, WholeCommand };

struct CommandDefinition {
    std::string_view name;
    When when;
    Reading reading;
    int escapedArgument; // the argument whose text takes escapes; -1 for none
    bool userInput;      // may be queued with during-yield
    Action (*prepare)(Session&, const Invocation&);
};

struct PreparedCommand {
    const CommandDefinition* command = nullptr;
    Action run;
};

// Reads one command line, checks that it may run now and that its arguments are right, and
// binds it; nothing has happened yet when this returns.
PreparedCommand PrepareCommand(Session& session, std::string_view text);

} // namespace korvane::replay
