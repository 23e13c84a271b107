// A long playlist against a large sound folder, in the real window: 32,767 lines naming calls
// of a folder of 10,000. Loading it, writing it back and summing the folder, each against
// the least a program must do for the same result.
#include "rows.h"

#include "real_window.h"

#include "device/capacity.h"
#include "device/playlist_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <unordered_set>

namespace korvane::bench {

namespace {

constexpr int kRounds = 10;
constexpr int kWriteRounds = 30; // a few milliseconds each, and the disk adds its noise
constexpr int kSoundFiles = 10000;
constexpr int kPlaylistLines = 32767;

std::string ReadWhole(const std::string& file)
{
    std::string bytes;
    const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw std::runtime_error("cannot read " + file);
    char buffer[65536];
    ssize_t count = 0;
    while ((count = ::read(in, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(count));
    ::close(in);
    return bytes;
}

// The baseline of loading: the folder's names into a hash set, the file's lines looked up in
// it. Returns how many lines name a file.
int ListAndHash(const std::string& folder, const std::string& file)
{
    std::unordered_set<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        throw std::runtime_error("cannot list " + folder);
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.emplace(entry->d_name);
    }
    ::closedir(dir);
    const std::string bytes = ReadWhole(file);
    int matched = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        matched += static_cast<int>(names.count(bytes.substr(start, end - start)));
        start = end + 2;
    }
    return matched;
}

void WriteInOneCall(const std::string& file, const std::string& bytes)
{
    const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0 || ::write(out, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write " + file);
    ::close(out);
}

// The least a safe save does: the bytes into a file beside the target in one call, flushed,
// renamed over the target, and the folder flushed.
void SaveSafely(const std::string& folder, const std::string& file, const std::string& bytes)
{
    const std::string temp = folder + "/.save-temp";
    WriteInOneCall(temp, bytes);
    const int out = ::open(temp.c_str(), O_WRONLY | O_CLOEXEC);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (out < 0 || dir < 0 || ::fsync(out) != 0 || ::rename(temp.c_str(), file.c_str()) != 0 ||
        ::fsync(dir) != 0)
        throw std::runtime_error("cannot save " + file);
    ::close(out);
    ::close(dir);
}

} // namespace

std::vector<Row> PlaylistRows()
{
    RealWindow w;
    const std::string sounds = "d:\\big\\Tarvo_Calls";
    std::int64_t soundBytes = 0;
    for (int i = 0; i < kSoundFiles; ++i) {
        const std::string name = "call" + std::to_string(i) + ".mp3";
        w.drives.writeFile(sounds + "\\" + name, name);
        soundBytes += static_cast<std::int64_t>(name.size());
    }
    std::string playlist;
    for (int line = 0; line < kPlaylistLines; ++line)
        playlist += (line ? "\r\n" : "") + std::string("call") +
                    std::to_string(line * 7 % kSoundFiles) + ".mp3";
    w.drives.writeFile(sounds + "\\1.txt", playlist);
    w.drives.writeFile(sounds + "\\0.txt", "");
    Form1& f = w.start("d:\\big");
    f.File2.setPattern("*.mp3");
    f.File2.setPath(sounds);
    RealWindow::settle();
    const std::string hostFolder = w.drives.hostPath("d/big/Tarvo_Calls");

    // Loading: the folder listed again and playlist 1 chosen, until the window has shown it.
    int matched = 0;
    const auto [load, listAndHash] = MedianMillisecondsInTurns(
        kRounds,
        [&] {
            f.File2.Refresh();
            f.Combo1.setListIndex(1);
            RealWindow::settle();
        },
        [&] { matched = ListAndHash(hostFolder, hostFolder + "/1.txt"); },
        [&] {
            f.Combo1.setListIndex(0);
            RealWindow::settle();
        });
    f.Combo1.setListIndex(1);
    RealWindow::settle();
    if (f.List1.ListCount() != kPlaylistLines)
        throw std::runtime_error("the playlist did not load");
    if (matched != kPlaylistLines)
        throw std::runtime_error("the baseline did not match every line");

    // Writing: every row of List1 with a yield after each, over the playlist as Save and the
    // editing buttons write it, durably, against the same bytes saved safely in plain C: one
    // write() with nothing made durable is no floor for a save that survives a power cut.
    const std::string written = hostFolder + "/w.txt";
    const std::string copy = hostFolder + "/copy.txt";
    WriteInOneCall(written, "");
    WriteInOneCall(copy, "");
    const auto [write, writeOnce] = MedianMillisecondsInTurns(
        kWriteRounds, [&] { WritePlaylistFile(f, sounds + "\\w.txt"); },
        [&] { SaveSafely(hostFolder, copy, playlist); });
    if (w.drives.readFile("d/big/Tarvo_Calls/w.txt") != playlist)
        throw std::runtime_error("the playlist was not written back as it was read");
    ::unlink(written.c_str());
    ::unlink(copy.c_str());

    // Summing: the length of every listed call, against du -b of the folder.
    const double sum = MedianMilliseconds(
        kRounds, [&] { SumListedFileBytes(f); }, [&] { f.UsedBytes = 0; });
    if (f.UsedBytes != soundBytes)
        throw std::runtime_error("the listed files were not summed");
    std::vector<double> du;
    for (int round = 0; round < kRounds; ++round)
        du.push_back(RunProcess({"du", "-b", hostFolder}, "", {}).milliseconds);

    return {
        {"load a 32,767-line playlist, 10,000 calls", "list folder + choose it", load,
         "readdir + read + hash lines", listAndHash, "ms", 5},
        {"durable save of a 32,767-entry playlist", "WritePlaylistFile", write,
         "write+fsync+rename+fsync dir", writeOnce, "ms", 1.5},
        {"free-space total of 10,000 listed files", "SumListedFileBytes", sum, "du -b (process)",
         Median(du), "ms", 1.5},
    };
}

} // namespace korvane::bench
