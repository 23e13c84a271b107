#include "device/layout.h"

#include "form/form1.h"
#include "sys/errors.h"
#include "sys/text.h"

#include <algorithm>

namespace korvane {

bool IsSoundFolderPath(std::string_view path)
{
    return path.ends_with(kSoundFolderName);
}

bool IsRootCToH(std::string_view lowered)
{
    static constexpr std::array<std::string_view, 6> kRoots = {"c:\\", "d:\\", "e:\\",
                                                               "f:\\", "g:\\", "h:\\"};
    return std::find(kRoots.begin(), kRoots.end(), lowered) != kRoots.end();
}

std::string SoundFolderInside(std::string_view p)
{
    // Any other root gets one separator more, which the disk takes as one.
    if (IsRootCToH(LowerCase(p)))
        return std::string(p) + std::string(kSoundFolderName);
    return std::string(p) + "\\" + std::string(kSoundFolderName);
}

std::string PlaylistName(int slot)
{
    return std::to_string(slot) + ".txt";
}

std::string WorkingPlaylistFile(int slot)
{
    return "c:\\" + std::to_string(slot) + "r.txt";
}

std::vector<FactoryCopy> FactoryCallSet(const std::string& soundFolder)
{
    std::vector<FactoryCopy> copies;
    for (int n = 0; n <= 9; ++n)
        copies.push_back({PlaylistName(n), soundFolder + "\\" + PlaylistName(n)});
    for (int n = 0; n <= 9; ++n)
        copies.push_back({PlaylistName(n), WorkingPlaylistFile(n)});
    for (std::string_view call : kFactoryCalls)
        copies.push_back({std::string(call), soundFolder + "\\" + std::string(call)});
    for (const RenamedCopy& extra : kExtraRecordings)
        copies.push_back(
            {std::string(extra.source), soundFolder + "\\" + std::string(extra.destination)});
    for (std::string_view companion : kCompanionFiles)
        copies.push_back({std::string(companion), soundFolder + "\\" + std::string(companion)});
    return copies;
}

std::string FactoryFolderPrefix(Form1& f)
{
    if (IsSoundFolderPath(f.StartFolder)) {
        f.FactoryPrefixLength =
            static_cast<std::int16_t>(f.StartFolder.size() - kSoundFolderName.size());
        f.FactoryPrefix = f.StartFolder.substr(0, static_cast<std::size_t>(f.FactoryPrefixLength));
        return f.FactoryPrefix;
    }
    return f.StartFolder + "\\";
}

namespace {

// "these factory files are missing: "c:\0.txt", ..." with at most six names; every file
// missing is most likely a wrong folder, so that is said instead.
std::string MissingFilesText(const std::vector<std::string>& missing)
{
    constexpr std::size_t kNamed = 6;
    const std::size_t distinctSources = kFactoryCalls.size() + kExtraRecordings.size() +
                                        kCompanionFiles.size() + 10; // ten playlists
    if (missing.size() == distinctSources) {
        const std::string& first = missing.front();
        return "no factory file was found in \"" + first.substr(0, first.rfind('\\') + 1) + "\"";
    }
    std::string text = "these factory files are missing: ";
    for (std::size_t i = 0; i < missing.size() && i < kNamed; ++i)
        text += (i ? ", \"" : "\"") + missing[i] + "\"";
    if (missing.size() > kNamed)
        text += " and " + std::to_string(missing.size() - kNamed) + " more";
    return text;
}

} // namespace

void FillNewSoundFolder(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder)
{
    f.disk.MkDir(target);
    CopyFactoryCallSet(f, target, factoryPrefix, fallbackFolder);
}

void CopyFactoryCallSet(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder)
{
    // A missing factory file does not stop the others: the folder gets all there is, and the
    // message names the files that are missing.
    std::vector<std::string> missing;
    // Each file is written under a temporary name and all of them take their names together
    // after one flush: a power cut leaves whole files only, and 34 files cost one flush, not 68.
    // A failing copy ends the fill with the copies before it in place, as one by one would.
    std::vector<StagedCopy> staged;
    auto publish = [&] {
        try {
            f.disk.FlushStaged(staged);
            f.disk.Publish(staged);
        } catch (...) {
            for (StagedCopy& copy : staged) {
                if (copy.state == StagedState::Staged)
                    f.disk.Discard(copy);
            }
            throw;
        }
    };
    for (const FactoryCopy& copy : FactoryCallSet(target)) {
        const std::string primary = f.disk.Absolute(factoryPrefix + copy.source);
        std::string source = primary;
        if (!fallbackFolder.empty() && f.disk.Probe(source).empty())
            source = fallbackFolder + "\\" + copy.source;
        // The playlists are copied twice, into the folder and to the working copies.
        const bool counted = std::find(missing.begin(), missing.end(), primary) != missing.end();
        if (!f.disk.Probe(source).empty()) {
            try {
                staged.push_back(f.disk.StageCopy(source, copy.destination));
            } catch (...) {
                publish();
                throw;
            }
        } else if (!counted) {
            missing.push_back(primary);
        }
    }
    publish();
    if (!missing.empty())
        throw MissingFactoryFiles("fill", f.disk.Absolute(target), MissingFilesText(missing));
}

} // namespace korvane
