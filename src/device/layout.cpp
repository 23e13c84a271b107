#include "device/layout.h"

#include "app/form1.h"
#include "platform/text.h"

#include <algorithm>

namespace korvane {

bool IsSoundFolderPath(std::string_view path)
{
    return Right(path, kSoundFolderName.size()) == kSoundFolderName;
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

void FillNewSoundFolder(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder)
{
    f.disk.MkDir(target);
    CopyFactoryCallSet(f, target, factoryPrefix, fallbackFolder);
}

void CopyFactoryCallSet(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder)
{
    for (const FactoryCopy& copy : FactoryCallSet(target)) {
        std::string source = factoryPrefix + copy.source;
        if (!fallbackFolder.empty() && f.disk.Probe(source).empty())
            source = fallbackFolder + "\\" + copy.source;
        f.disk.FileCopy(source, copy.destination);
    }
}

} // namespace korvane
