#include "transfer/upload_room.h"

#include "device/layout.h"
#include "sys/text.h"

#include <cstdio>
#include <map>
#include <set>

namespace korvane {

namespace {

std::int64_t inClusters(std::int64_t bytes, std::int64_t cluster)
{
    if (cluster <= 0)
        return bytes;
    return (bytes + cluster - 1) / cluster * cluster;
}

// "12,345,678 bytes", with the megabytes beside a large figure.
std::string byteCount(std::int64_t bytes)
{
    std::string digits = std::to_string(bytes);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    std::string text = digits + " bytes";
    if (bytes >= 1048576) {
        char megabytes[32];
        std::snprintf(megabytes, sizeof megabytes, " (%.1f MB)", bytes / 1048576.0);
        text += megabytes;
    }
    return text;
}

} // namespace

std::vector<UploadCopy> CopiesForCall(const std::string& source, const std::string& destination,
                                      const std::string& name)
{
    std::vector<UploadCopy> copies{{source + "\\" + name, destination + "\\" + name}};
    for (int k = 0; k < kPlaylistSlots; ++k)
        copies.push_back({source + "\\" + PlaylistName(k), destination + "\\" + PlaylistName(k)});
    for (std::string_view companion : kCompanionFiles)
        copies.push_back(
            {source + "\\" + std::string(companion), destination + "\\" + std::string(companion)});
    for (const RenamedCopy& extra : kExtraRecordings)
        copies.push_back({source + "\\" + std::string(extra.destination),
                          destination + "\\" + std::string(extra.source)});
    return copies;
}

RoomNeeded Needs(const Disk& disk, const std::vector<UploadCopy>& copies, std::int64_t clusterBytes)
{
    // The file each destination names, as the player's file system finds it: without regard
    // to case, even for a name that is created by the upload -> its last copy.
    std::map<std::string, const UploadCopy*> files;
    for (const UploadCopy& copy : copies)
        files[LowerCase(disk.HostPath(copy.destination).value_or(copy.destination))] = &copy;
    RoomNeeded needs;
    for (const auto& [file, copy] : files) {
        // A source that is missing fails its copy later, with its own message.
        const std::int64_t next =
            inClusters(disk.PeekLength(copy->source).value_or(0), clusterBytes);
        const std::int64_t now =
            inClusters(disk.PeekLength(copy->destination).value_or(0), clusterBytes);
        if (next > now)
            needs.added += next - now;
        needs.peak += next;
    }
    return needs;
}

std::int64_t BytesAdded(const Disk& disk, const std::vector<UploadCopy>& copies,
                        std::int64_t clusterBytes)
{
    return Needs(disk, copies, clusterBytes).added;
}

std::vector<OldCall> OldCalls(const Disk& disk, const std::string& destination,
                              const std::vector<UploadCopy>& copies, std::int64_t clusterBytes)
{
    std::set<std::string> written;
    for (const UploadCopy& copy : copies)
        written.insert(LowerCase(copy.destination));
    std::vector<OldCall> old;
    for (const std::string& name : disk.ListFiles(destination, "*.mp3")) {
        const std::string path = destination + "\\" + name;
        if (written.count(LowerCase(path)) == 0)
            old.push_back({path, inClusters(disk.PeekLength(path).value_or(0), clusterBytes)});
    }
    return old;
}

std::string OldCallsMessage(std::int64_t needed, std::int64_t free, const std::vector<OldCall>& old)
{
    std::vector<std::string> paths;
    for (const OldCall& call : old)
        paths.push_back(call.path);
    return "There is not enough room on the player for this upload.\r\nIt needs " +
           byteCount(needed) + "; the player has " + byteCount(free) +
           " free.\r\nThe player holds calls the sound folder does not have:" + NameList(paths) +
           "\r\nRemove them from the player to make room?";
}

std::string NoRoomMessage(std::int64_t needed, std::int64_t free)
{
    return "There is not enough room on the player for this upload.\r\nIt needs " +
           byteCount(needed) + "; the player has " + byteCount(free) +
           " free.\r\nNothing was copied.";
}

std::string NameList(const std::vector<std::string>& files)
{
    constexpr std::size_t kShown = 10;
    std::string list;
    for (std::size_t i = 0; i < files.size() && i < kShown; ++i)
        list += "\r\n    " + files[i];
    if (files.size() > kShown)
        list += "\r\n    and " + std::to_string(files.size() - kShown) + " more";
    return list;
}

std::string DifferingFilesMessage(const std::vector<std::string>& files, std::size_t checked)
{
    std::string message = files.size() == 1
                              ? "The player does not hold what was copied to it. This file reads "
                                "back differently from the sound folder:"
                              : "The player does not hold what was copied to it. These files "
                                "read back differently from the sound folder:";
    for (const std::string& file : files)
        message += "\r\n    " + file;
    message += "\r\nThe player's memory may be faulty, or not as large as it claims to be.";
    if (checked > files.size())
        message += " The other files read back correctly.";
    return message + "\r\nNothing on the player was changed.";
}

} // namespace korvane
