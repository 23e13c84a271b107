#include "transfer/upload_run.h"

#include "form/background_work.h"
#include "form/form1.h"
#include "sys/text.h"
#include "transfer/upload_copier.h"
#include "transfer/upload_room.h"

#include <cmath>
#include <set>

namespace korvane {

namespace {

// The bar's value after sound file index of count: a twentieth per step, halves to even.
std::int16_t ProgressAfter(int index, int count)
{
    return static_cast<std::int16_t>(
        std::nearbyint((index + 1) * static_cast<double>(kUploadProgressSteps) / count));
}

// On the worker: the copies, the read-back, the names. The window's fields and controls are
// touched only in the steps handed to the window's thread.
void Copy(Form1& f, BackgroundWork& work, const std::vector<std::string>& names,
          const std::string& source, const std::optional<VolumeSpace>& room, UploadOutcome& outcome)
{
    UploadCopier copier(f.disk, f.UploadStopRequested);
    if (room)
        copier.setRoom(*room);
    const int count = static_cast<int>(names.size());
    int shown = -1;
    try {
        for (int index = 0; index < count; ++index) {
            outcome.lastIndex = index;
            const std::string& name = names[static_cast<std::size_t>(index)];
            if (name.empty())
                continue;
            const std::vector<UploadCopy> copies = CopiesForCall(source, f.UploadDestination, name);
            for (std::size_t c = 0; c < copies.size(); ++c) {
                // The bar moves before the first playlist; the window hears of each new value
                // before the copying goes on, so a Stop at a value stops there.
                if (c == 1 && ProgressAfter(index, count) != shown) {
                    shown = ProgressAfter(index, count);
                    work.onWindowThread([&f, shown] {
                        f.UploadProgress = static_cast<std::int16_t>(shown);
                        f.ProgressBar1.setValue(f.UploadProgress);
                    });
                }
                copier.copy(copies[c].source, copies[c].destination);
            }
        }
        outcome.differing = copier.verify();
        outcome.checked = copier.filesStaged();
        if (!outcome.differing.empty()) {
            outcome.end = UploadOutcome::End::Differing;
            return;
        }
        if (f.UploadStopRequested)
            throw UploadStopped{};
        outcome.renaming = true;
        copier.publish();
    } catch (const UploadStopped&) {
        outcome.end = UploadOutcome::End::Stopped;
    } catch (BatchDiffers& batch) {
        outcome.end = UploadOutcome::End::Differing;
        outcome.differing = std::move(batch.files);
        outcome.checked = copier.filesStaged();
        outcome.published = copier.published();
    } catch (const PlatformError& error) {
        outcome.end = UploadOutcome::End::Failed;
        outcome.error = error;
        outcome.published = copier.published();
        outcome.removed = copier.removedFirst();
        // Every file the upload writes that has no new copy yet, in upload order.
        std::set<std::string> told;
        for (const std::string& file : outcome.published)
            told.insert(LowerCase(file));
        for (const std::string& file : outcome.removed)
            told.insert(LowerCase(file));
        for (const std::string& name : names) {
            if (name.empty())
                continue;
            for (const UploadCopy& copy : CopiesForCall(source, f.UploadDestination, name)) {
                if (told.insert(LowerCase(copy.destination)).second)
                    outcome.unpublished.push_back(copy.destination);
            }
        }
    }
}

} // namespace

UploadOutcome CopyToPlayer(Form1& f, const std::optional<VolumeSpace>& room)
{
    const std::vector<std::string> names = f.File2.names();
    const std::string source = f.File2.Path();
    UploadOutcome outcome;
    f.UploadStopRequested = false;
    f.Stop.setVisible(true);
    f.pump.beginLongWork([&f] { f.Stop.click(); });
    try {
        BackgroundWork::Run(
            f.pump, [&](BackgroundWork& work) { Copy(f, work, names, source, room, outcome); });
    } catch (...) {
        f.pump.endLongWork();
        f.Stop.setVisible(false);
        throw;
    }
    f.pump.endLongWork();
    f.Stop.setVisible(false);
    if (outcome.lastIndex >= 0) {
        f.FileIndex = static_cast<std::int16_t>(outcome.lastIndex);
        f.UploadSourceFile = source + "\\" + names[static_cast<std::size_t>(outcome.lastIndex)];
    }
    return outcome;
}

} // namespace korvane
