#include "support/window_harness.h"

#include "device/layout.h"
#include "events/events.h"

namespace korvane::test {

int ScriptedBoxes::show(const std::string& prompt, BoxButtons buttons, BoxIcon,
                        const std::string& title)
{
    shown.push_back({prompt, title});
    if (buttons == BoxButtons::Ok)
        return kAnswerOk;
    if (answers.empty())
        return kAnswerCancel;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedBoxes::prompts() const
{
    std::vector<std::string> result;
    for (const ShownBox& box : shown)
        result.push_back(box.prompt);
    return result;
}

std::string ScriptedPicker::pick(const std::string&, bool)
{
    if (picks.empty())
        return {};
    std::string path = picks.front();
    picks.pop_front();
    return path;
}

void CountingPump::yieldToWindowEvents()
{
    ++yields;
    if (duringYield)
        duringYield();
}

void WriteKit(const TempDrives& drives, const std::string& folder)
{
    std::string playlist;
    for (std::string_view call : kFactoryCalls) {
        drives.writeFile(folder + "\\" + std::string(call), call);
        playlist += (playlist.empty() ? "" : "\r\n") + std::string(call);
    }
    for (const RenamedCopy& extra : kExtraRecordings)
        drives.writeFile(folder + "\\" + std::string(extra.source), extra.source);
    for (std::string_view companion : kCompanionFiles)
        drives.writeFile(folder + "\\" + std::string(companion), companion);
    drives.writeFile(folder + "\\0.txt", playlist);
    for (int n = 1; n <= 9; ++n)
        drives.writeFile(folder + "\\" + PlaylistName(n), "");
}

WindowHarness::WindowHarness(std::string letters) : drives(std::move(letters)), disk(drives.disk())
{
}

Form1& WindowHarness::start(const std::string& cwd)
{
    disk.ChDrive(cwd);
    disk.ChDir(cwd);
    form_ = std::make_unique<Form1>(disk, boxes, picker, pump, WireEvents);
    form_->Load();
    return *form_;
}

Form1& WindowHarness::startOnKit()
{
    WriteKit(drives, "d:\\kit");
    return start("d:\\kit");
}

} // namespace korvane::test
