// korvane-sessions: random sessions run through korvane-replay twice, against the core and
// against the real window, whose transcripts must be the same line for line. A difference, a
// crash, a hang or a script error ends as a short session script that shows it.
//   korvane-sessions --replay PATH --seeds FIRST COUNT [--out DIR]
//   korvane-sessions --replay PATH --seconds N [--first SEED] [--out DIR]
//   korvane-sessions [--replay PATH] --print SEED
#include "generator.h"
#include "minimise.h"
#include "session_check.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    fs::path replay;
    std::uint64_t first = 1;
    std::optional<std::uint64_t> count;
    std::optional<int> seconds;
    std::optional<std::uint64_t> print;
    fs::path out = "session-failures";
    int timeout = 120;
    int minimiseSeconds = 300;
};

int Usage(const std::string& why)
{
    std::cerr << "korvane-sessions: " << why << "\n"
              << "usage: korvane-sessions --replay PATH --seeds FIRST COUNT [--out DIR]\n"
              << "       korvane-sessions --replay PATH --seconds N [--first SEED] [--out DIR]\n"
              << "       korvane-sessions [--replay PATH] --print SEED\n"
              << "  [--timeout S] ends a run that takes longer (a hang); "
                 "[--minimise-seconds S] bounds the shortening of a failure\n";
    return 2;
}

std::optional<Options> Parse(int argc, char** argv, std::string& why)
{
    Options o;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            const auto value = [&]() -> std::string {
                if (i + 1 >= argc)
                    throw std::invalid_argument(arg + " needs a value");
                return argv[++i];
            };
            if (arg == "--replay") {
                o.replay = value();
            } else if (arg == "--seeds") {
                o.first = std::stoull(value());
                o.count = std::stoull(value());
            } else if (arg == "--seconds") {
                o.seconds = std::stoi(value());
            } else if (arg == "--first") {
                o.first = std::stoull(value());
            } else if (arg == "--print") {
                o.print = std::stoull(value());
            } else if (arg == "--out") {
                o.out = value();
            } else if (arg == "--timeout") {
                o.timeout = std::stoi(value());
            } else if (arg == "--minimise-seconds") {
                o.minimiseSeconds = std::stoi(value());
            } else {
                throw std::invalid_argument("unexpected argument " + arg);
            }
        }
    } catch (const std::exception& error) {
        why = error.what();
        return std::nullopt;
    }
    if (!o.print && (o.replay.empty() || o.count.has_value() == o.seconds.has_value())) {
        why = "give --replay and either --seeds or --seconds";
        return std::nullopt;
    }
    return o;
}

void Write(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

// Shortens the failing session and keeps it, the full one and both transcripts in the out
// folder.
void Keep(const Options& o, const korvane::sessions::Replay& replay, std::uint64_t seed,
          const korvane::sessions::Verdict& found)
{
    using namespace korvane::sessions;
    const auto until = Clock::now() + std::chrono::seconds(o.minimiseSeconds);
    Verdict shortest = found;
    const std::vector<std::string> lines =
        Minimise(found.script, [&](const std::vector<std::string>& candidate) {
            if (Clock::now() > until)
                return false;
            Verdict verdict = CheckSession(replay, candidate, false);
            if (verdict.kind != found.kind)
                return false;
            shortest = std::move(verdict);
            return true;
        });
    fs::create_directories(o.out);
    const std::string name = "seed-" + std::to_string(seed);
    std::string header =
        "# korvane-sessions seed " + std::to_string(seed) + ": " + KindName(found.kind) + "\n";
    for (std::size_t at = 0, next; at < shortest.detail.size(); at = next + 1) {
        next = shortest.detail.find('\n', at);
        if (next == std::string::npos)
            next = shortest.detail.size();
        header += "# " + shortest.detail.substr(at, next - at) + "\n";
    }
    Write(o.out / (name + ".scn"), header + JoinLines(lines));
    Write(o.out / (name + ".full.scn"), JoinLines(found.script));
    Write(o.out / (name + ".core.txt"), shortest.core.transcript + shortest.core.errors);
    Write(o.out / (name + ".gui.txt"), shortest.gui.transcript + shortest.gui.errors);
    std::cout << "  kept as " << (o.out / (name + ".scn")).string() << " (" << lines.size()
              << " lines, from " << found.script.size() << ")\n";
}

} // namespace

int main(int argc, char** argv)
{
    using namespace korvane::sessions;
    std::string why;
    const std::optional<Options> o = Parse(argc, argv, why);
    if (!o)
        return Usage(why);
    if (!o->replay.empty() && ::access(o->replay.c_str(), X_OK) != 0)
        return Usage("cannot run " + o->replay.string());
    const Replay replay(o->replay, o->timeout);
    if (o->print) {
        // With the replay given, the session as it runs once repaired against the core.
        std::vector<std::string> session = GenerateSession(*o->print);
        if (!o->replay.empty())
            session = CheckSession(replay, session, true).script;
        std::cout << JoinLines(session);
        return 0;
    }

    const auto start = Clock::now();
    const auto stop = start + std::chrono::seconds(o->seconds.value_or(0));
    std::uint64_t sessions = 0;
    std::uint64_t failures = 0;
    for (std::uint64_t seed = o->first;; ++seed) {
        if (o->count ? sessions == *o->count : Clock::now() >= stop)
            break;
        ++sessions;
        const Verdict verdict = CheckSession(replay, GenerateSession(seed), true);
        if (verdict.kind == Verdict::Kind::Agree)
            continue;
        ++failures;
        std::cout << "seed " << seed << ": " << KindName(verdict.kind) << "\n"
                  << verdict.detail << "\n";
        Keep(*o, replay, seed, verdict);
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count();
    std::cout << sessions << " sessions from seed " << o->first << ", " << failures << " failed, "
              << seconds << " s\n";
    return failures == 0 ? 0 : 1;
}
