// korvane-replay [--gui] [--root DIR] [--keep] SCRIPT: runs a scenario against the core of
// Korvane, or with --gui against its real window offscreen, and prints its transcript.
// Exit status 0: ran to its end; 1: script error; 2: usage.
#include "frontend.h"
#include "session.h"

#ifdef KORVANE_REPLAY_WIDGETS
#include "pause_meter.h"

#include <QApplication>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kUsage = 2;

struct Options {
    std::optional<fs::path> root;
    bool keep = false;
    bool gui = false;
    bool reportPauses = false;
    std::string script;
};

int usage(const std::string& why)
{
    std::cerr << "korvane-replay: " << why << "\n"
              << "usage: korvane-replay [--gui [--report-pauses]] [--root DIR] [--keep] SCRIPT\n";
    return kUsage;
}

std::optional<Options> parseOptions(int argc, char** argv, std::string& why)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--root" && i + 1 < argc) {
            options.root = argv[++i];
        } else if (arg == "--keep") {
            options.keep = true;
        } else if (arg == "--gui") {
            options.gui = true;
        } else if (arg == "--report-pauses") {
            options.reportPauses = true;
        } else if (!arg.starts_with("-") && options.script.empty()) {
            options.script = arg;
        } else {
            why = "unexpected argument " + arg;
            return std::nullopt;
        }
    }
    if (options.script.empty()) {
        why = "no script given";
        return std::nullopt;
    }
    if (options.reportPauses && !options.gui) {
        why = "--report-pauses times the window: it needs --gui";
        return std::nullopt;
    }
    return options;
}

// A given root is made when missing and must be empty; without one a fresh temporary folder
// is made.
std::optional<fs::path> prepareRoot(const Options& options, std::string& why)
{
    std::error_code error;
    if (options.root) {
        fs::create_directories(*options.root, error);
        if (error || !fs::is_directory(*options.root)) {
            why = "cannot make the root " + options.root->string();
            return std::nullopt;
        }
        if (!fs::is_empty(*options.root, error) || error) {
            why = "the root " + options.root->string() + " is not empty";
            return std::nullopt;
        }
        return fs::absolute(*options.root);
    }
    const fs::path temp = fs::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; !error && attempt < 100; ++attempt) {
        const fs::path root = temp / ("korvane-replay-" + std::to_string(random() % 1000000000));
        if (fs::create_directory(root, error))
            return root;
    }
    why = "cannot make a temporary root";
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    std::string why;
    const std::optional<Options> options = parseOptions(argc, argv, why);
    if (!options)
        return usage(why);
    if (options->gui && !korvane::replay::WidgetFrontendBuilt())
        return usage("--gui needs a build with the window");
    std::ifstream script(options->script, std::ios::binary);
    if (!script)
        return usage("cannot read " + options->script);
    const std::optional<fs::path> root = prepareRoot(*options, why);
    if (!root)
        return usage(why);

    int status = 0;
#ifdef KORVANE_REPLAY_WIDGETS
    // The window needs no screen: it is drawn offscreen unless a platform is asked for.
    std::unique_ptr<QApplication> app;
    if (options->gui) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Korvane"));
    }
#endif
    {
        korvane::replay::Session session(std::cout, *root, options->gui);
#ifdef KORVANE_REPLAY_WIDGETS
        std::unique_ptr<korvane::replay::PauseMeter> pauses;
        if (options->reportPauses) {
            pauses = std::make_unique<korvane::replay::PauseMeter>();
            // Timed once the window is there: the scene set before it is not the window's.
            session.commandStarts = [&](std::string_view text) {
                if (session.started())
                    pauses->commandStarts(text);
            };
            session.commandEnds = [&] { pauses->commandEnds(); };
        }
#endif
        status = session.run(script);
#ifdef KORVANE_REPLAY_WIDGETS
        if (pauses)
            std::cerr << pauses->report() << "\n";
#endif
    }
    if (options->keep) {
        std::cerr << root->string() << "\n";
    } else if (!options->root) {
        std::error_code error;
        fs::remove_all(*root, error);
    }
    return status;
}
