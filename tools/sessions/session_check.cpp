#include "session_check.h"

#include <array>
#include <optional>
#include <sstream>
#include <string_view>

namespace korvane::sessions {

namespace {

constexpr int kRepairAttempts = 40;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The line and reason of a transcript's final "error: LINE N: WHY", if it ends so.
struct ScriptErrorLine {
    std::size_t line = 0;
    std::string why;
};

std::optional<ScriptErrorLine> FinalScriptError(const std::string& transcript)
{
    const std::vector<std::string> lines = Lines(transcript);
    if (lines.empty())
        return std::nullopt;
    const std::string& last = lines.back();
    constexpr std::string_view kPrefix = "error: LINE ";
    if (last.rfind(kPrefix, 0) != 0)
        return std::nullopt;
    const std::size_t colon = last.find(": ", kPrefix.size());
    if (colon == std::string::npos)
        return std::nullopt;
    ScriptErrorLine error;
    error.line = std::stoul(last.substr(kPrefix.size(), colon - kPrefix.size()));
    error.why = last.substr(colon + 2);
    return error;
}

bool SanitizerReport(const std::string& errors)
{
    return errors.find("ERROR: AddressSanitizer") != std::string::npos ||
           errors.find("ERROR: LeakSanitizer") != std::string::npos ||
           errors.find("runtime error:") != std::string::npos;
}

// Crash or hang of one run; nullopt when it ended as a run of korvane-replay ends.
std::optional<Verdict::Kind> Broken(const ReplayRun& run, std::string& detail,
                                    std::string_view mode)
{
    const std::string where = std::string(mode) + " run";
    if (run.end == ReplayRun::End::TimedOut) {
        detail = where + " did not end in time";
        return Verdict::Kind::Hang;
    }
    if (run.end == ReplayRun::End::Signalled) {
        detail = where + " died of signal " + std::to_string(run.code);
        return Verdict::Kind::Crash;
    }
    if (SanitizerReport(run.errors)) {
        detail = where + " has a sanitizer report";
        return Verdict::Kind::Crash;
    }
    if (run.code == 1 && !FinalScriptError(run.transcript)) {
        detail = where + " exited 1 without a script error";
        return Verdict::Kind::Crash;
    }
    if (run.code != 0 && run.code != 1) {
        detail = where + " exited " + std::to_string(run.code);
        return Verdict::Kind::Crash;
    }
    return std::nullopt;
}

} // namespace

const char* KindName(Verdict::Kind kind)
{
    switch (kind) {
    case Verdict::Kind::Agree:
        return "agree";
    case Verdict::Kind::Differ:
        return "differ";
    case Verdict::Kind::Crash:
        return "crash";
    case Verdict::Kind::Hang:
        return "hang";
    case Verdict::Kind::ScriptError:
        return "script error";
    }
    return "?";
}

std::string FirstDifference(const std::string& core, const std::string& gui)
{
    const std::vector<std::string> a = Lines(core);
    const std::vector<std::string> b = Lines(gui);
    for (std::size_t i = 0; i < a.size() || i < b.size(); ++i) {
        const std::string left = i < a.size() ? a[i] : "(ended)";
        const std::string right = i < b.size() ? b[i] : "(ended)";
        if (left != right)
            return "transcript line " + std::to_string(i + 1) + ":\n  core: " + left +
                   "\n  gui:  " + right;
    }
    return "";
}

std::optional<std::vector<std::string>> Repaired(const std::vector<std::string>& script,
                                                 const std::string& transcript, int attempt)
{
    const std::optional<ScriptErrorLine> error = FinalScriptError(transcript);
    if (!error || error->line == 0 || error->line > script.size())
        return std::nullopt;
    const auto says = [&](std::string_view text) {
        return error->why.find(text) != std::string::npos;
    };
    std::vector<std::string> repaired = script;
    const auto where = repaired.begin() + static_cast<std::ptrdiff_t>(error->line - 1);
    if (says(" does not list ") || says(" has no row ") || says(" lists no drive ") ||
        says("has been unloaded")) {
        repaired.erase(where);
    } else if (says("no answer queued for the box")) {
        static constexpr std::array<const char*, 3> kAnswers = {"yes", "no", "cancel"};
        repaired.insert(where, std::string("answer ") +
                                   kAnswers[static_cast<std::size_t>(attempt) % kAnswers.size()]);
    } else if (says("nothing queued for the picker")) {
        repaired.insert(where, "pick cancel");
    } else {
        return std::nullopt;
    }
    return repaired;
}

Verdict CheckSession(const Replay& replay, std::vector<std::string> script, bool repair)
{
    Verdict verdict;
    for (int attempt = 0;; ++attempt) {
        verdict.core = replay.run(script, false);
        if (!repair || attempt == kRepairAttempts || verdict.core.code != 1 ||
            verdict.core.end != ReplayRun::End::Exited)
            break;
        std::optional<std::vector<std::string>> repaired =
            Repaired(script, verdict.core.transcript, attempt);
        if (!repaired)
            break;
        script = std::move(*repaired);
    }
    verdict.script = script;
    if (const auto kind = Broken(verdict.core, verdict.detail, "core")) {
        verdict.kind = *kind;
        return verdict;
    }
    if (verdict.core.code == 1) {
        verdict.kind = Verdict::Kind::ScriptError;
        verdict.detail = "core run: " + Lines(verdict.core.transcript).back();
        return verdict;
    }
    verdict.gui = replay.run(script, true);
    if (const auto kind = Broken(verdict.gui, verdict.detail, "gui")) {
        verdict.kind = *kind;
        return verdict;
    }
    verdict.detail = FirstDifference(verdict.core.transcript, verdict.gui.transcript);
    if (!verdict.detail.empty() || verdict.gui.code != verdict.core.code) {
        verdict.kind = Verdict::Kind::Differ;
        if (verdict.detail.empty())
            verdict.detail = "the gui run exited " + std::to_string(verdict.gui.code);
    }
    return verdict;
}

} // namespace korvane::sessions
