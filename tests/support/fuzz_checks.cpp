// The properties of the playlist reader, the drive map parser and the text helpers, checked
// for one input at a time.
#include "support/fuzz_checks.h"

#include "support/temp_drives.h"

#include "device/playlist_file.h"
#include "disk/drive_map.h"
#include "events/events.h"
#include "form/form1.h"
#include "sys/errors.h"
#include "sys/text.h"

namespace korvane::test {

namespace {

class SilentBoxes : public MessageBoxes {
public:
    int show(const std::string&, BoxButtons, BoxIcon, const std::string&) override
    {
        return kAnswerCancel;
    }
};

class NoPicker : public FolderPicker {
public:
    std::string pick(const std::string&, bool) override { return {}; }
};

class IdlePump : public EventPump {
public:
    void yieldToWindowEvents() override {}
};

} // namespace

std::string Shown(std::string_view bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += "0123456789abcdef"[u >> 4];
            out += "0123456789abcdef"[u & 0xF];
        }
    }
    return out + "\"";
}

// The window the playlist functions work on; nothing in it is started.
struct PlaylistReadCheck::Window {
    explicit Window(const TempDrives& drives) : disk(drives.disk()) {}
    Disk disk;
    SilentBoxes boxes;
    NoPicker picker;
    IdlePump pump;
    Form1 form{disk, boxes, picker, pump, WireEvents};
};

PlaylistReadCheck::PlaylistReadCheck() : window_(std::make_unique<Window>(scratch_)) {}

PlaylistReadCheck::~PlaylistReadCheck() = default;

Violations PlaylistReadCheck::check(std::string_view bytes)
{
    Violations broken;
    Form1& f = window_->form;
    scratch_.writeFile("c:\\In.txt", bytes);
    // Read under another case: the disk layer finds the file without regard to case.
    const std::vector<std::string> lines = ReadPlaylistLines(f, "c:\\in.TXT");

    std::size_t lineBytes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find('\r') != std::string::npos)
            broken.push_back("line " + std::to_string(i) + " holds a CR: " + Shown(line));
        const std::optional<std::string> ansi = ToAnsi(line);
        if (!ansi)
            broken.push_back("line " + std::to_string(i) + " is no ANSI text: " + Shown(line));
        else
            lineBytes += ansi->size();
    }
    // Every byte is either in a line or part of a terminator (CR LF counts two, CR one).
    std::size_t terminators = 0, terminatorBytes = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        ++terminators;
        ++terminatorBytes;
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++terminatorBytes, ++i;
    }
    if (lineBytes + terminatorBytes != bytes.size())
        broken.push_back(std::to_string(lineBytes) + " bytes in lines and " +
                         std::to_string(terminatorBytes) + " in terminators, of " +
                         std::to_string(bytes.size()));
    const bool unterminatedTail = !bytes.empty() && bytes.back() != '\r' &&
                                  !(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n");
    const std::size_t expectedCount = terminators + (unterminatedTail ? 1 : 0);
    if (lines.size() != expectedCount)
        broken.push_back(std::to_string(lines.size()) + " lines for " +
                         std::to_string(terminators) + " terminators");

    // The writer puts no break after the last row, so a final empty row cannot come back.
    if (broken.empty() && (lines.empty() || !lines.back().empty())) {
        f.List1.Clear();
        for (const std::string& line : lines)
            f.List1.AddItem(line);
        WritePlaylistFile(f, "c:\\Out.txt");
        if (ReadPlaylistLines(f, "c:\\out.txt") != lines)
            broken.push_back("the lines written and read again differ");
        f.List1.Clear();
    }
    return broken;
}

Violations CheckDriveMap(std::string_view input)
{
    Violations broken;
    const std::size_t newline = input.find('\n');
    const std::string text(input.substr(0, newline));
    std::string error;
    const std::optional<std::vector<DriveMapping>> drives = ParseDriveMap(text, error);
    if (!drives) {
        if (error.empty())
            broken.push_back("refused without a reason: " + Shown(text));
        return broken;
    }
    if (drives->empty())
        broken.push_back("accepted with no drive: " + Shown(text));
    std::string written;
    for (std::size_t i = 0; i < drives->size(); ++i) {
        const DriveMapping& drive = (*drives)[i];
        if (drive.letter < 'a' || drive.letter > 'z')
            broken.push_back("drive letter " + Shown(std::string(1, drive.letter)));
        for (std::size_t k = 0; k < i; ++k) {
            if ((*drives)[k].letter == drive.letter)
                broken.push_back("drive " + std::string(1, drive.letter) + ": twice");
        }
        if (drive.hostRoot.empty() || drive.hostRoot.front() != '/')
            broken.push_back("host folder not absolute: " + Shown(drive.hostRoot));
        if (drive.label.find_first_of(":;") != std::string::npos)
            broken.push_back("label holds a separator: " + Shown(drive.label));
        written += std::string(1, drive.letter) + "=" + drive.hostRoot + ":" + drive.label + ";";
    }
    std::string again;
    const auto reread = ParseDriveMap(written, again);
    bool same = reread && reread->size() == drives->size();
    for (std::size_t i = 0; same && i < drives->size(); ++i) {
        const DriveMapping &a = (*drives)[i], &b = (*reread)[i];
        same = a.letter == b.letter && a.hostRoot == b.hostRoot && a.label == b.label;
    }
    if (!same)
        broken.push_back("written out as " + Shown(written) + " it reads back otherwise");

    if (newline == std::string_view::npos)
        return broken;
    const std::string host(input.substr(newline + 1));
    if (host.find('\0') != std::string::npos)
        return broken; // host paths come from the system, which has no NUL in them
    const Disk disk(*drives);
    std::optional<std::string> windows;
    try {
        windows = disk.WindowsPath(host);
    } catch (const std::exception& e) {
        broken.push_back("WindowsPath(" + Shown(host) + ") threw " + e.what());
    }
    // A host name may hold a '\\', which the Windows form cannot tell from a separator.
    if (windows) {
        const bool shape = windows->size() >= 3 && (*windows)[1] == ':' && (*windows)[2] == '\\';
        if (!shape || !disk.HasDrive((*windows)[0]))
            broken.push_back("WindowsPath(" + Shown(host) + ") is " + Shown(*windows));
        else if (host.find('\\') == std::string::npos && disk.Absolute(*windows) != *windows)
            broken.push_back("WindowsPath(" + Shown(host) + ") is " + Shown(*windows) +
                             ", not in the plain form " + Shown(disk.Absolute(*windows)));
    }
    return broken;
}

Violations CheckText(std::string_view input)
{
    Violations broken;
    const std::string lower = LowerCase(input);
    if (lower.size() != input.size() || LowerCase(lower) != lower)
        broken.push_back("LowerCase changes the size or is not settled: " + Shown(input));

    const std::string utf8 = FromAnsi(input);
    const std::optional<std::string> back = ToAnsi(utf8);
    if (!back || *back != input)
        broken.push_back("ANSI bytes do not survive FromAnsi and ToAnsi: " + Shown(input));
    if (const std::optional<std::string> ansi = ToAnsi(input); ansi && FromAnsi(*ansi) != input)
        broken.push_back("text does not survive ToAnsi and FromAnsi: " + Shown(input));

    if (!WildcardMatch("*", input))
        broken.push_back("\"*\" does not match " + Shown(input));
    // ';' separates alternatives, so a name holding one is no pattern for itself.
    if (input.find(';') == std::string_view::npos) {
        if (!WildcardMatch(input, input))
            broken.push_back("a name does not match itself: " + Shown(input));
        if (!WildcardMatch(input, lower) || !WildcardMatch(lower, input))
            broken.push_back("the match depends on case: " + Shown(input));
    }

    const std::size_t newline = input.find('\n');
    if (newline != std::string_view::npos) {
        const std::string_view pattern = input.substr(0, newline);
        const std::string_view name = input.substr(newline + 1);
        const std::size_t semicolon = pattern.find(';');
        if (semicolon != std::string_view::npos) {
            const bool either = WildcardMatch(pattern.substr(0, semicolon), name) ||
                                WildcardMatch(pattern.substr(semicolon + 1), name);
            if (WildcardMatch(pattern, name) != either)
                broken.push_back("alternatives differ from their parts: " + Shown(input));
        }
        if (WildcardMatch(pattern, name) != WildcardMatch(LowerCase(pattern), LowerCase(name)))
            broken.push_back("the match depends on case: " + Shown(input));
    }
    return broken;
}

} // namespace korvane::test
