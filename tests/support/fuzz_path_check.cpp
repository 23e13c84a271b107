// The properties of path resolution over the drive map, checked for one path at a time.
#include "support/fuzz_checks.h"

#include "sys/errors.h"
#include "sys/text.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace korvane::test {

namespace {

// Runs one disk operation: a PlatformError is a refusal the program reports to its user,
// any other exception escapes every handler.
bool attempt(Violations& broken, const std::string& what, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const PlatformError&) {
        return false;
    } catch (const std::exception& e) {
        broken.push_back(what + " threw " + e.what());
        return false;
    }
}

std::vector<std::string> components(const std::string& absolute)
{
    std::vector<std::string> parts;
    if (absolute.size() <= 3)
        return parts;
    std::size_t start = 3;
    while (true) {
        const std::size_t end = absolute.find('\\', start);
        parts.push_back(absolute.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.size() == 3 ? folder + name : folder + "\\" + name;
}

// The absolute path is "x:\" and then names: none empty, none "." or "..", no '/', and
// taking it as absolute again changes nothing.
void checkPlainForm(Violations& broken, const Disk& disk, const std::string& absolute)
{
    const bool shape = absolute.size() >= 3 && absolute[0] >= 'a' && absolute[0] <= 'z' &&
                       absolute[1] == ':' && absolute[2] == '\\' &&
                       absolute.find('/') == std::string::npos;
    bool plain = shape;
    for (const std::string& part : components(absolute))
        plain = plain && !part.empty() && part != "." && part != "..";
    if (!plain)
        broken.push_back("the absolute path " + Shown(absolute) + " is not plain");
    else if (disk.Absolute(absolute) != absolute)
        broken.push_back("the absolute path " + Shown(absolute) + " changes when taken again");
}

// The host path lies in the drive's own folder, and the system sees the whole of it.
void checkContained(Violations& broken, const Disk& disk, std::string_view path,
                    const std::string& absolute, const std::string& root)
{
    const std::optional<std::string> host = disk.HostPath(path);
    if (!host || *host != disk.HostPath(absolute).value_or(""))
        broken.push_back("the host path of " + Shown(path) + " is not that of " + Shown(absolute));
    if (!host)
        return;
    if (host->find('\0') != std::string::npos)
        broken.push_back("the host path " + Shown(*host) + " holds a NUL");
    // What the system opens: the text up to the first NUL, with ".." applied.
    auto pathOf = [](const char* text) {
        return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text))).lexically_normal();
    };
    const fs::path inside = pathOf(host->c_str()).lexically_relative(pathOf(root.c_str()));
    if (inside.empty() || *inside.begin() == "..")
        broken.push_back("the host path " + Shown(*host) + " leaves the drive folder " + root);
}

// An existing folder lists, its entries can be entered or measured, and it can be made the
// current folder, which then reads back as the same path.
void checkFolder(Violations& broken, Disk& disk, const std::string& absolute)
{
    std::vector<std::string> files, folders;
    if (!attempt(broken, "listing " + Shown(absolute), [&] {
            files = disk.ListFiles(absolute, "*");
            folders = disk.ListFolders(absolute);
        })) {
        broken.push_back("the folder " + Shown(absolute) + " cannot be listed");
        return;
    }
    for (const std::vector<std::string>* names : {&files, &folders}) {
        for (std::size_t i = 0; i < names->size(); ++i) {
            const std::string& name = (*names)[i];
            if (name.empty() || name.front() == '.' || name.find_first_of("\\/") != name.npos)
                broken.push_back("the folder " + Shown(absolute) + " lists " + Shown(name));
            if (i > 0 && LowerCase((*names)[i - 1]) > LowerCase(name))
                broken.push_back("the listing of " + Shown(absolute) + " is out of order");
        }
    }
    for (const std::string& name : folders) {
        if (!disk.FolderExists(joined(absolute, name)))
            broken.push_back("the listed folder " + Shown(joined(absolute, name)) + " is missing");
    }
    for (const std::string& name : files) {
        if (!attempt(broken, "measuring", [&] { disk.FileLen(joined(absolute, name)); }))
            broken.push_back("the listed file " + Shown(joined(absolute, name)) + " is missing");
    }
    if (!attempt(broken, "entering " + Shown(absolute), [&] { disk.ChDir(absolute); })) {
        broken.push_back("the folder " + Shown(absolute) + " cannot be entered");
        return;
    }
    const std::string current = disk.CurDir(absolute[0]);
    if (LowerCase(current) != LowerCase(absolute) || !disk.FolderExists(current))
        broken.push_back("entering " + Shown(absolute) + " makes " + Shown(current) + " current");
}

// An existing file reads as many bytes as it measures, and its lines hold no CR.
void checkFile(Violations& broken, const Disk& disk, const std::string& absolute)
{
    std::int64_t length = -1;
    std::string bytes;
    std::vector<std::string> lines;
    if (!attempt(broken, "reading " + Shown(absolute), [&] {
            length = disk.FileLen(absolute);
            bytes = disk.ReadBytes(absolute);
            lines = disk.ReadLines(absolute);
        })) {
        broken.push_back("the file " + Shown(absolute) + " cannot be read");
        return;
    }
    if (length != static_cast<std::int64_t>(bytes.size()))
        broken.push_back("the file " + Shown(absolute) + " measures otherwise than it reads");
    for (const std::string& line : lines) {
        if (line.find('\r') != std::string::npos)
            broken.push_back("a line of " + Shown(absolute) + " holds a CR");
    }
}

} // namespace

PathCheck::PathCheck()
{
    const std::string c = scratch_.root() + "/c", d = scratch_.root() + "/d";
    scratch_.writeFile("c/Tarvo_Calls/0.txt", "Taps.mp3\r\nReveille.mp3");
    scratch_.writeFile("c/Tarvo_Calls/Taps.mp3", "ID3");
    scratch_.writeFile("c/TARVO_CALLS/1.txt", "");
    scratch_.writeFile("c/Caf\xC3\xA9.mp3", "");
    scratch_.writeFile("c/\xC3\x89T\xC3\x89/a b.txt", "a\rb\nc");
    scratch_.writeFile("c/kit/Reveille.MP3", "ID3");
    scratch_.writeFile("c/.hidden", "");
    fs::create_directories(c + "/Tarvo_Calls/sub");
    // Links where the system makes them (Windows lets only some users).
    std::error_code noLinks;
    fs::create_symlink("Tarvo_Calls", c + "/calls", noLinks);
    fs::create_symlink(scratch_.root() + "/nowhere", c + "/dangling", noLinks);
    scratch_.writeFile("d/work/Tarvo_Calls/1.txt", "x");
    // A folder beside c whose name starts like it: a host path in it is outside c:.
    scratch_.writeFile("cc/outside.txt", "");
    // d: is given in a form that is not plain, e: is a volume that was pulled out.
    drives_ = {{'c', c, ""}, {'d', d + "/./", "DATA"}, {'e', scratch_.root() + "/e", "TARVO"}};
}

Violations PathCheck::check(std::string_view input)
{
    Violations broken;
    Disk disk(drives_);
    std::string_view path = input;
    std::string_view current = "c:\\Tarvo_Calls";
    if (const std::size_t newline = input.find('\n'); newline != std::string_view::npos) {
        current = input.substr(0, newline);
        path = input.substr(newline + 1);
    }
    attempt(broken, "changing to " + Shown(current), [&] {
        if (current.size() >= 2 && current[1] == ':')
            disk.ChDrive(current.substr(0, 2));
        disk.ChDir(current);
    });

    std::string absolute;
    if (!attempt(broken, "making " + Shown(path) + " absolute",
                 [&] { absolute = disk.Absolute(path); }))
        return broken;
    checkPlainForm(broken, disk, absolute);
    if (!broken.empty())
        return broken;

    const DriveMapping* drive = nullptr;
    for (const DriveMapping& mapping : drives_)
        drive = mapping.letter == absolute[0] ? &mapping : drive;
    if (!drive) {
        if (disk.HostPath(path))
            broken.push_back("an unmapped drive has a host path: " + Shown(path));
        return broken;
    }
    std::string root = fs::path(drive->hostRoot).lexically_normal().string();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    checkContained(broken, disk, path, absolute, root);

    std::string probe;
    attempt(broken, "probing " + Shown(path), [&] { probe = disk.Probe(path); });
    if (probe.find_first_of(std::string_view("\\/\0", 3)) != std::string::npos)
        broken.push_back("the probe of " + Shown(path) + " gives " + Shown(probe));
    const std::vector<std::string> parts = components(absolute);
    const bool wildcard = !parts.empty() && parts.back().find_first_of("*?") != std::string::npos;
    if (!probe.empty() && !wildcard && !parts.empty() &&
        LowerCase(probe) != LowerCase(parts.back()) && !disk.FolderExists(absolute))
        broken.push_back("the probe of " + Shown(path) + " finds " + Shown(probe));

    const std::optional<std::string> host = disk.HostPath(absolute);
    std::error_code error;
    if (disk.FolderExists(path))
        checkFolder(broken, disk, absolute);
    else if (host && fs::is_regular_file(*host, error))
        checkFile(broken, disk, absolute);
    return broken;
}

} // namespace korvane::test
