#include "session.h"

#include "commands.h"
#include "events/events.h"
#include "script_error.h"
#include "sys/errors.h"

#include <string>

namespace korvane::replay {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

Session::Session(std::ostream& out, std::filesystem::path root, bool widgets)
    : transcript(out), scene(std::move(root)), boxes(transcript), picker(transcript),
      frontend_(widgets ? MakeWidgetFrontend(transcript, boxes, picker, pump)
                        : MakeCoreFrontend(boxes, picker, pump))
{
}

Session::~Session() = default;

int Session::run(std::istream& script)
{
    try {
        std::string raw;
        while (std::getline(script, raw)) {
            ++line_;
            const std::string_view text = trimmed(raw);
            if (text.empty() || text.front() == '#')
                continue;
            runLine(text);
        }
        for (const QueuedInput& input : pump.neverOffered())
            transcript.line("never offered: " + input.text);
        return 0;
    } catch (const ScriptError& error) {
        transcript.line("error: LINE " + std::to_string(line_) + ": " + error.what());
        return 1;
    } catch (const std::exception& error) {
        // Not the script's fault (the host refused a scene file, or a failure escaped the
        // window's dispatcher), but it ends the run just the same.
        transcript.line("error: LINE " + std::to_string(line_) + ": " + error.what());
        return 1;
    }
}

void Session::runLine(std::string_view text)
{
    transcript.line("> " + std::string(text));
    if (commandStarts)
        commandStarts(text);
    PrepareCommand(*this, text).run();
    if (commandEnds)
        commandEnds();
    deliverArrivedInput();
}

void Session::deliverArrivedInput()
{
    const int scriptLine = line_;
    while (std::optional<QueuedInput> input = pump.takeArrived()) {
        line_ = input->line; // a failure names the line that queued the input
        transcript.line("> " + input->text);
        input->run();
    }
    line_ = scriptLine;
}

void Session::deliverAtProgress(double value)
{
    for (QueuedInput& input : pump.progressShown(value)) {
        if (!input.atOnce) {
            pump.holdBack(std::move(input));
            continue;
        }
        const int scriptLine = line_;
        line_ = input.line;
        transcript.line("> " + input.text);
        input.run();
        line_ = scriptLine;
    }
}

void Session::start()
{
    disk_ = std::make_unique<Disk>(scene.driveMap());
    disk_->setFaultHook(faults.hook());
    disk_->setWrittenHook(faults.writtenHook());
    disk_->setSpaceHook(faults.spaceHook());
    disk_->setTrash(Trash::InFolder(scene.trashFolder()));
    disk_->setPaceHook(faults.paceHook());
    scene.attachDisk(disk_.get());
    picker.setDisk(disk_.get());
    const std::string& folder = scene.workingFolder();
    try {
        disk_->ChDrive(folder);
        disk_->ChDir(folder);
    } catch (const PlatformError& error) {
        throw ScriptError("cannot start in " + folder + ": " + error.what());
    }

    form_ = std::make_unique<Form1>(*disk_, frontend_->boxes(), frontend_->picker(),
                                    frontend_->pump(), WireEvents);
    frontend_->attach(*form_);
    // Observed after the frontend's window, so that its title has already followed.
    form_->observeCaption([this](const std::string&) {
        transcript.line("caption " + Quoted(frontend_->caption(*form_)));
    });
    form_->observeUnload([this] { unloaded_ = true; });
    // Every change of the bar notifies, its visibility too; only a new value is progress.
    form_->ProgressBar1.observe(
        [this, last = form_->ProgressBar1.Value()](const Control& c) mutable {
            const float value = static_cast<const ProgressBar&>(c).Value();
            if (value == last)
                return;
            last = value;
            transcript.line("progress " + ShortestNumber(value));
            deliverAtProgress(value);
        });
    form_->Load();
}

Form1& Session::window()
{
    if (!form_)
        throw ScriptError("the window is not started");
    return *form_;
}

Control& Session::control(std::string_view name)
{
    Control* c = window().control(name);
    if (!c)
        throw ScriptError("unknown control " + std::string(name));
    return *c;
}

void Session::requireOpenWindow() const
{
    if (unloaded_)
        throw ScriptError("the window has been unloaded");
}

} // namespace korvane::replay
