// Names and places of the device content: the sound folder rule, the playlist files, the
// factory folder and the factory call set that fills a new sound folder.
#pragma once

#include "sys/errors.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class Form1;

inline constexpr std::string_view kSoundFolderName = "Tarvo_Calls";
inline constexpr std::string_view kSoundFilesPattern = "*.mp3";
// Matches no file of the system: File2 shows an empty list while no folder is confirmed.
inline constexpr std::string_view kNoFilesPattern = "*.tymdhms";

// The nine factory calls, in the order they are copied.
inline constexpr std::array<std::string_view, 9> kFactoryCalls = {
    "tothecolor.mp3", "tattoo.mp3",    "Taps.mp3",     "reveille.mp3",      "retreat.mp3",
    "FirstCall.mp3",  "attention.mp3", "assembly.mp3", "adjudantscall.mp3",
};
// Files copied under another name: the extra recordings stay out of the "*.mp3" list.
struct RenamedCopy {
    std::string_view source;
    std::string_view destination;
};
inline constexpr std::array<RenamedCopy, 2> kExtraRecordings = {{
    {"bt1_orig.mp3", "bt1_orig.hd3"},
    {"bt2_orig.mp3", "bt2_orig.hd3"},
}};
inline constexpr std::array<std::string_view, 3> kCompanionFiles = {"L.txt", "S.txt", "T.txt"};

// True when the last 11 characters are exactly "Tarvo_Calls", case included.
bool IsSoundFolderPath(std::string_view path);
// True for "c:\" to "h:\" (the text as given, lower case): the roots the program knows end
// in a separator.
bool IsRootCToH(std::string_view lowered);
// The sound folder inside p; the roots c:\ to h:\ already end in "\".
std::string SoundFolderInside(std::string_view p);

// Combo1's slots 0 to 9, one playlist each.
inline constexpr int kPlaylistSlots = 10;
inline bool IsPlaylistSlot(int slot)
{
    return slot >= 0 && slot < kPlaylistSlots;
}

std::string PlaylistName(int slot);        // "3.txt"
std::string WorkingPlaylistFile(int slot); // "c:\3r.txt"

struct FactoryCopy {
    std::string source;      // a factory file name
    std::string destination; // the full path written
};
// The 34 copies that fill a sound folder, in order: the ten playlists into the folder, the
// ten again to the working copies, the nine calls, the two extra recordings, the companions.
std::vector<FactoryCopy> FactoryCallSet(const std::string& soundFolder);

// Applies the factory-folder rule to StartFolder (setting FactoryPrefix and its length when
// StartFolder is a sound folder) and returns what a factory file name is appended to.
std::string FactoryFolderPrefix(Form1& f);

// Some factory files were not found; every other file of the set was copied.
class MissingFactoryFiles : public PlatformError {
public:
    using PlatformError::PlatformError;
};

// Makes the folder target (one level) and copies the factory call set into it, reading each
// factory file as factoryPrefix & name; with a fallback folder, a file missing there is read
// from the fallback instead.
void FillNewSoundFolder(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder = "");
// The 34 copies alone, into an existing folder.
void CopyFactoryCallSet(Form1& f, const std::string& target, const std::string& factoryPrefix,
                        const std::string& fallbackFolder = "");

} // namespace korvane
