// One session run both ways, the core and the real window, and what came of it.
#pragma once

#include "replay_run.h"

#include <optional>
#include <string>
#include <vector>

namespace korvane::sessions {

struct Verdict {
    enum class Kind { Agree, Differ, Crash, Hang, ScriptError } kind = Kind::Agree;
    std::string detail;              // what went wrong, in one or a few lines
    std::vector<std::string> script; // the session as it finally ran
    ReplayRun core;
    ReplayRun gui;
};

const char* KindName(Verdict::Kind kind);

// The first line where two transcripts differ, as "line N: core ... / gui ...", or "" when
// they are the same.
std::string FirstDifference(const std::string& core, const std::string& gui);

// When the core stops the session at a script error the generator could not foresee (a name
// the file list does not show, a box with no answer left), changes that line and tries again:
// drops the input, or queues an answer or a pick before it. nullopt when the error is of
// another kind.
std::optional<std::vector<std::string>> Repaired(const std::vector<std::string>& script,
                                                 const std::string& transcript, int attempt);

// Runs the session in the core (repairing it first when asked) and then in the window.
Verdict CheckSession(const Replay& replay, std::vector<std::string> script, bool repair);

} // namespace korvane::sessions
