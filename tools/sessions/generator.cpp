#include "generator.h"

#include "device/layout.h"
#include "random.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace korvane::sessions {

namespace {

// Names of calls on the disk: case twins, blanks, letters beyond ASCII (some outside the
// playlists' code page), a name that only looks like a call, one that is none.
const std::vector<std::string> kCallNames = {
    "Taps.mp3", "taps.mp3",  "reveille.mp3", "My Call.mp3",    "CALL TWO.MP3",
    "café.mp3", "Café.mp3",  "naïve.mp3",    "Über Alles.mp3", "日本.mp3",
    "x.Mp3",    " lead.mp3", "notes.txt",    "a.mp3.txt",      "Zz.mp3",
};
// Folder names: plain, blanks, upper case, beyond ASCII, a folder that looks like a call.
const std::vector<std::string> kFolderNames = {"w",      "My Calls", "CALLS",   "Äpfel",
                                               "日本語", "old.mp3",  "calls 2", "W"};
const std::vector<std::string> kLineEnds = {"\\r\\n", "\\r", "\\n", "\\n\\r", "\\r\\n\\r\\n"};
const std::vector<std::string> kLabels = {"", "", "DATA", "MY CARD", "ÄÖÜ"};
const std::vector<std::string> kFaultOperations = {"read",  "write",  "copy", "delete",
                                                   "mkdir", "length", "any"};
const std::vector<std::string> kFaultErrors = {"", "\"Disk full\"", "\"No medium found\""};
const std::vector<std::string> kAnswers = {"yes", "no", "cancel"};

struct Button {
    std::string_view name;
    int weight;
    bool asks;  // may show a Yes/No/Cancel box
    bool picks; // may show the folder picker
};

// Every button the user can reach, weighted by how much each one does with the disk; "All" is
// hidden and only tells that it ignored the click.
constexpr Button kButtons[] = {
    {"Command1", 10, false, false}, {"Command7", 8, false, false},  {"Command12", 6, false, false},
    {"Command8", 8, false, false},  {"Command10", 5, false, false}, {"Command15", 3, false, false},
    {"Command16", 3, false, false}, {"Command14", 5, true, false},  {"Command4", 5, false, true},
    {"Command5", 3, true, false},   {"Command6", 2, true, false},   {"Command18", 5, true, true},
    {"Command2", 2, true, false},   {"Command19", 1, false, false}, {"Command9", 1, false, false},
};

// A word of the script: quoted when it holds a blank.
std::string Word(const std::string& text)
{
    return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
}

// The bytes of a name in the playlists' code page, as escapes; a name outside it stays as
// UTF-8, which the program then reads as other letters.
std::string Ansi(const std::string& name)
{
    static const std::pair<std::string_view, std::string_view> kWestern[] = {
        {"é", "\\xe9"}, {"É", "\\xc9"}, {"ï", "\\xef"}, {"Ü", "\\xdc"}};
    std::string out = name;
    for (const auto& [utf8, escape] : kWestern) {
        for (std::size_t at = out.find(utf8); at != std::string::npos; at = out.find(utf8, at))
            out.replace(at, utf8.size(), escape);
    }
    return out;
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    std::vector<std::string> session()
    {
        scene();
        lines_.push_back("start");
        look();
        const int steps = random_.between(12, 32);
        for (int step = 0; step < steps; ++step) {
            if (phrase())
                look();
        }
        if (random_.chance(10)) {
            lines_.push_back("click Command13");
            lines_.push_back("show state");
        }
        return lines_;
    }

private:
    void scene()
    {
        drives_ = {'c', 'd'};
        if (random_.chance(70))
            drives_.push_back('e');
        if (random_.chance(20))
            drives_.push_back('f');
        for (char letter : drives_) {
            const std::string& label = letter == 'c' ? kLabels[0] : random_.pick(kLabels);
            lines_.push_back("drive " + std::string(1, letter) +
                             (label.empty() ? "" : " " + Word(label)));
        }
        if (random_.chance(85)) {
            kit_ = "d:\\kit";
            lines_.push_back("kit " + kit_);
            folders_.push_back(kit_);
            works_.push_back(kit_);
        }
        const int works = random_.between(1, 3);
        for (int n = 0; n < works; ++n)
            workFolder();
        music();
        if (std::find(drives_.begin(), drives_.end(), 'e') != drives_.end()) {
            lines_.push_back("mkdir e:\\dest");
            folders_.push_back("e:\\dest");
            destinations_.push_back("e:\\dest");
            destinations_.push_back("e:\\");
        }
        destinations_.push_back("d:\\dest");
        if (random_.chance(20))
            fault();
        cwd();
        if (sound_.empty())
            expectSoundFolder(random_.pick(works_));
    }

    // A folder holding a sound folder (sometimes a case twin of one) with calls and playlists.
    void workFolder()
    {
        const std::string work =
            std::string(1, random_.chance(80) ? 'd' : 'c') + ":\\" + random_.pick(kFolderNames);
        if (std::find(folders_.begin(), folders_.end(), work) != folders_.end())
            return;
        lines_.push_back("mkdir " + Word(work));
        folders_.push_back(work);
        works_.push_back(work);
        if (random_.chance(25))
            return; // a plain folder, where "Yes" makes a new sound folder
        const std::string sound =
            work + "\\" + (random_.chance(85) ? "Tarvo_Calls" : "tarvo_calls");
        lines_.push_back("mkdir " + Word(sound));
        folders_.push_back(sound);
        works_.push_back(sound);
        sound_ = sound;
        const int calls = random_.between(0, 6);
        std::vector<std::string> names;
        for (int n = 0; n < calls; ++n) {
            const std::string& name = random_.pick(kCallNames);
            if (std::find(names.begin(), names.end(), name) != names.end())
                continue;
            names.push_back(name);
            addCall(sound + "\\" + name, name);
        }
        for (int slot = 0; slot <= 9; ++slot) {
            if (random_.chance(60))
                lines_.push_back("text " + Word(sound + "\\" + std::to_string(slot) + ".txt") +
                                 " \"" + playlist(names) + "\"");
        }
        for (int slot = 0; slot <= 9; ++slot) {
            if (random_.chance(10))
                lines_.push_back("text c:\\" + std::to_string(slot) + "r.txt \"" + playlist(names) +
                                 "\"");
        }
        if (random_.chance(30))
            lines_.push_back("text " + Word(sound + "\\L.txt") + " \"L.txt\"");
    }

    void addCall(const std::string& path, const std::string& name)
    {
        if (random_.chance(50))
            lines_.push_back("file " + Word(path) + " " + std::to_string(random_.between(0, 4000)));
        else
            lines_.push_back("text " + Word(path) + " \"" + name + "\"");
        files_.push_back(path);
        names_.push_back(name);
        calls_[path.substr(0, path.rfind('\\'))].push_back(name);
    }

    // Names of the folder's calls and some it lacks, joined by one kind of line end or by a
    // mixture, with or without a final one, with blank lines here and there.
    std::string playlist(const std::vector<std::string>& names)
    {
        std::string bytes;
        const int rows = random_.between(0, 6);
        const bool mixed = random_.chance(30);
        const std::string& end = random_.pick(kLineEnds);
        for (int row = 0; row < rows; ++row) {
            if (row > 0)
                bytes += mixed ? random_.pick(kLineEnds) : end;
            if (random_.chance(10))
                continue; // a blank line
            bytes += Ansi(!names.empty() && random_.chance(80) ? random_.pick(names)
                                                               : random_.pick(kCallNames));
        }
        if (rows > 0 && random_.chance(40))
            bytes += end;
        return bytes;
    }

    // Calls to add from: a folder on the computer, with odd names too.
    void music()
    {
        const std::string folder = random_.chance(70) ? "d:\\music" : "d:\\My Music";
        lines_.push_back("mkdir " + Word(folder));
        folders_.push_back(folder);
        const int calls = random_.between(1, 4);
        for (int n = 0; n < calls; ++n) {
            const std::string& name = random_.pick(kCallNames);
            addCall(folder + "\\" + name, name);
        }
    }

    void cwd()
    {
        std::vector<std::string> places = {"d:\\", "c:\\"};
        if (!kit_.empty()) {
            places.push_back(kit_);
            places.push_back(kit_);
        }
        for (const std::string& folder : folders_)
            places.push_back(folder);
        lines_.push_back("cwd " + Word(random_.pick(places)));
    }

    // A path a fault rule matches: a folder and everything in it, a playlist copy, a whole
    // drive, the device.
    std::string faultPattern()
    {
        switch (random_.below(6)) {
        case 0:
            return Word(random_.pick(folders_) + "\\*");
        case 1:
            return Word(random_.pick(folders_));
        case 2:
            return "c:\\*r.txt";
        case 3:
            return "*\\Tarvo_Calls\\*.txt";
        case 4:
            return std::string(1, random_.pick(drives_)) + ":\\*";
        default:
            return Word(random_.pick(destinations_) + "*");
        }
    }

    void fault()
    {
        std::string line = "fault " + random_.pick(kFaultOperations) + " " + faultPattern();
        const std::string& error = random_.pick(kFaultErrors);
        if (!error.empty())
            line += " " + error;
        if (random_.chance(40))
            line += " after=" + std::to_string(random_.between(0, 12));
        lines_.push_back(line);
    }

    // One piece of user input, as a line of its own or as the text of during-yield.
    std::string input()
    {
        switch (random_.below(9)) {
        case 0:
        case 1:
        case 2:
            return "click " + std::string(button().name);
        case 3:
            return "choose Combo1 " + std::to_string(random_.below(10));
        case 4:
            return "choose " + std::string(random_.chance(60) ? "Drive2" : "Drive1") + " " +
                   std::string(1, random_.pick(drives_));
        case 5:
            return "open " + std::string(random_.chance(60) ? "Dir2" : "Dir1") + " " +
                   Word(folderToOpen());
        case 6:
            return "select List1 " + std::to_string(random_.between(-1, 4));
        case 7:
        case 8:
        default:
            return "select " + std::string(random_.chance(75) ? "File2" : "File1") + " " +
                   (random_.chance(15) || names_.empty() ? "-" : Word(random_.pick(names_)));
        }
    }

    const Button& button()
    {
        int total = 0;
        for (const Button& b : kButtons)
            total += b.weight;
        int roll = random_.below(total);
        for (const Button& b : kButtons) {
            if (roll < b.weight)
                return b;
            roll -= b.weight;
        }
        return kButtons[0];
    }

    // A folder of the scene, its drive's root, one that is missing, or one in other case.
    std::string folderToOpen()
    {
        switch (random_.below(8)) {
        case 0:
            return std::string(1, random_.pick(drives_)) + ":\\";
        case 1:
            return "d:\\missing";
        case 2: {
            std::string folder = random_.pick(folders_);
            std::transform(folder.begin(), folder.end(), folder.begin(),
                           [](unsigned char c) { return c < 0x80 ? std::toupper(c) : c; });
            return folder;
        }
        default:
            return random_.pick(folders_);
        }
    }

    // Answers and picks go into their queues before the input that may take them; what is left
    // over waits for a later box or picker.
    void queueFor(const std::string& input)
    {
        for (const Button& b : kButtons) {
            if (input != "click " + std::string(b.name))
                continue;
            if (b.asks) {
                std::string line = "answer";
                for (int n = random_.between(1, 3); n > 0; --n)
                    line += " " + random_.pick(kAnswers);
                lines_.push_back(line);
            }
            if (b.picks)
                lines_.push_back("pick " + pickPath(b.name == "Command4"));
        }
    }

    std::string pickPath(bool sourceFile)
    {
        if (random_.chance(15))
            return "cancel";
        if (sourceFile && !files_.empty() && random_.chance(75))
            return Word(random_.pick(files_));
        if (!sourceFile && random_.chance(70))
            return Word(random_.pick(destinations_));
        return Word(random_.pick(folders_));
    }

    // The folder "Yes" confirms when the folder list shows folder: a sound folder as it is,
    // else the one inside it, made from the kit when missing.
    void expectSoundFolder(const std::string& folder)
    {
        if (folder.size() > 11 && folder.substr(folder.size() - 11) == "Tarvo_Calls") {
            sound_ = folder;
            return;
        }
        sound_ = folder + "\\Tarvo_Calls";
        if (calls_.find(sound_) == calls_.end() && !kit_.empty()) {
            for (std::string_view call : kFactoryCalls)
                calls_[sound_].push_back(std::string(call));
        }
    }

    std::string callToSelect()
    {
        const auto it = calls_.find(sound_);
        if (it == calls_.end() || it->second.empty() || random_.chance(10))
            return random_.chance(50) || names_.empty() ? "-" : Word(random_.pick(names_));
        return Word(random_.pick(it->second));
    }

    void queueAnswers(int least, int most)
    {
        std::string line = "answer";
        for (int n = random_.between(least, most); n > 0; --n)
            line += " " + random_.pick(kAnswers);
        lines_.push_back(line);
    }

    // A fault aimed where the next steps read or write: the sound folder, its playlists, the
    // working copies, the device.
    void aimedFault()
    {
        static const std::vector<std::string> kAimed = {"read",   "read",   "write", "copy",
                                                        "delete", "length", "mkdir", "any"};
        const std::string& operation = random_.pick(kAimed);
        std::string pattern;
        if (operation == "write")
            pattern = random_.chance(50) ? "c:\\*r.txt" : sound_ + "\\*.txt";
        else if (operation == "copy")
            pattern = random_.pick(destinations_) + "\\*";
        else if (operation == "read" && random_.chance(60))
            pattern = sound_;
        else
            pattern = sound_ + "\\*";
        std::string line = "fault " + operation + " " + Word(pattern);
        if (random_.chance(30))
            line += " after=" + std::to_string(random_.between(1, 8));
        lines_.push_back(line);
    }

    // One short piece of use, as a user goes about it: choose a folder, edit a playlist, save,
    // add, delete, upload, reset; or a fault, a change behind the program's back, stray input.
    // False when nothing in the window can have changed.
    bool phrase()
    {
        const int roll = random_.below(40);
        if (roll < 7) { // choose the sound folder
            lines_.push_back("click Command1");
            if (random_.chance(30))
                lines_.push_back("choose Drive2 " + std::string(1, random_.pick(drives_)));
            const std::string folder = random_.pick(works_);
            lines_.push_back("open Dir2 " + Word(folder));
            if (random_.chance(75)) {
                lines_.push_back("click Command7");
                expectSoundFolder(folder);
            } else {
                lines_.push_back("click Command12");
            }
        } else if (roll < 17) { // edit the playlist
            if (random_.chance(40))
                lines_.push_back("choose Combo1 " + std::to_string(random_.below(10)));
            for (int n = random_.between(1, 3); n > 0; --n) {
                lines_.push_back("select File2 " + callToSelect());
                lines_.push_back("click Command8");
            }
            if (random_.chance(50)) {
                lines_.push_back("select List1 " + std::to_string(random_.between(0, 4)));
                static const std::vector<std::string> kRowButtons = {"Command10", "Command15",
                                                                     "Command16"};
                lines_.push_back("click " + random_.pick(kRowButtons));
            }
        } else if (roll < 20) { // save, perhaps with input arriving while it writes
            if (random_.chance(40))
                lines_.push_back("during-yield " + input());
            queueAnswers(1, 2);
            lines_.push_back("click Command14");
        } else if (roll < 22) { // add a call
            lines_.push_back("pick " + pickPath(true));
            lines_.push_back("click Command4");
            if (random_.chance(30)) {
                lines_.push_back("choose Drive1 " + std::string(1, random_.pick(drives_)));
                lines_.push_back("open Dir1 " + Word(folderToOpen()));
                lines_.push_back("select File1 " + callToSelect());
                lines_.push_back("click Command12");
            }
        } else if (roll < 24) { // delete one call or all of them
            if (random_.chance(80)) {
                lines_.push_back("select File2 " + callToSelect());
                queueAnswers(1, 1);
                lines_.push_back("click Command5");
            } else {
                queueAnswers(1, 1);
                lines_.push_back("click Command6");
            }
        } else if (roll < 27) { // upload, perhaps with input arriving while it copies
            if (random_.chance(30))
                lines_.push_back("during-yield " + input());
            lines_.push_back(random_.chance(70) ? "answer yes"
                                                : "answer " + random_.pick(kAnswers));
            lines_.push_back("pick " + pickPath(false));
            lines_.push_back("click Command18");
        } else if (roll < 28) { // factory reset
            queueAnswers(1, 2);
            lines_.push_back("click Command2");
        } else if (roll < 31) {
            aimedFault();
            return false;
        } else if (roll < 33) {
            if (random_.chance(40))
                fault();
            else
                lines_.push_back("unfault");
            return false;
        } else if (roll < 35) { // a call or folder appears behind the program's back
            const std::string folder = random_.chance(70) ? sound_ : random_.pick(folders_);
            if (random_.chance(30)) {
                lines_.push_back("mkdir " + Word(folder + "\\" + random_.pick(kFolderNames)));
            } else {
                const std::string& name = random_.pick(kCallNames);
                addCall(folder + "\\" + name, name);
            }
        } else if (roll < 36) {
            lines_.push_back("type Combo1 \"" + random_.pick(kCallNames) + "\"");
        } else { // stray input
            const std::string line = input();
            queueFor(line);
            lines_.push_back(random_.chance(20) ? "during-yield " + line : line);
        }
        return true;
    }

    void look()
    {
        for (const std::string& line : LookLines())
            lines_.push_back(line);
    }

    Random random_;
    std::vector<std::string> lines_;
    std::vector<char> drives_;
    std::string kit_;
    std::vector<std::string> folders_;
    std::vector<std::string> files_;
    std::vector<std::string> names_;
    std::vector<std::string> destinations_;
    std::map<std::string, std::vector<std::string>> calls_; // folder -> names put there
    std::vector<std::string> works_;                        // folders to choose a sound folder in
    std::string sound_; // the sound folder the session most likely works in
};

} // namespace

std::vector<std::string> LookLines()
{
    return {"show state", "show rows Drive1", "show rows Dir1", "show rows Drive2",
            "show rows Dir2"};
}

std::vector<std::string> GenerateSession(std::uint64_t seed)
{
    return Generator(seed).session();
}

} // namespace korvane::sessions
