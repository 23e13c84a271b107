// The one window: its 39 controls under their own names, the fields that every handler
// shares, the window caption, and the platform services the handlers use.
#pragma once

#include "controls/controls.h"
#include "controls/ui.h"
#include "disk/disk.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvane {

class Form1 : public EventDispatcher {
public:
    // Connects the window's events to their handlers; the handlers live above this layer.
    using EventWiring = void (*)(Form1&);

    Form1(Disk& disk, MessageBoxes& boxes, FolderPicker& picker, EventPump& pump,
          EventWiring wireEvents);

    // Runs the load handler as the window loads (through the dispatcher, like any event).
    void Load();
    void onLoad(std::function<void()> handler) { loadHandler_ = std::move(handler); }
    // Closes the window; the program ends with it.
    void Unload();
    bool IsUnloaded() const { return unloaded_; }

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);

    // Every control, in the order of the controls table; and by name (nullptr if unknown).
    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(std::string_view name) const;

    // Window-level observers: the caption changed, or the window was unloaded.
    void observeCaption(std::function<void(const std::string&)> observer);
    void observeUnload(std::function<void()> observer);

    // The one place a user event reaches its handler: a platform failure ends the operation
    // with a message box and the window stays open.
    void dispatch(const std::function<void()>& handler) override;

    // --- platform services
    Disk& disk;
    MessageBoxes& boxes;
    FolderPicker& picker;
    EventPump& pump;

    // --- controls (names as the window defines them)
    TextBox Text2{"Text2"};
    TextBox Text1{"Text1"};
    TabContainer SSTab1{"SSTab1"};
    CommandButton Command12{"Command12"};
    CommandButton Command7{"Command7"};
    TabContainer SSTab2{"SSTab2"};
    CommandButton Command2{"Command2"};
    ProgressBar ProgressBar1{"ProgressBar1"};
    CommandButton Command21{"Command21"};
    CommandButton Command20{"Command20"};
    CommandButton Command19{"Command19"};
    CommandButton Command18{"Command18"};
    CommandButton Command13{"Command13"};
    CommandButton Command14{"Command14"};
    CommandButton Command1{"Command1"};
    CommandButton Command6{"Command6"};
    CommandButton Command5{"Command5"};
    CommandButton Command4{"Command4"};
    FileListBox File1{"File1", disk};
    DirListBox Dir1{"Dir1", disk};
    DriveListBox Drive1{"Drive1", disk};
    DriveListBox Drive2{"Drive2", disk};
    FileListBox File2{"File2", disk};
    DirListBox Dir2{"Dir2", disk};
    ListBox List1{"List1"};
    CommandButton Command8{"Command8"};
    CommandButton Command17{"Command17"};
    CommandButton Command9{"Command9"};
    CommandButton Command10{"Command10"};
    CommandButton Command11{"Command11"};
    ComboBox Combo1{"Combo1"};
    CommandButton Command15{"Command15"};
    CommandButton Command16{"Command16"};
    Label Label6{"Label6"};
    Label Label5{"Label5"};
    Label Label3{"Label3"};
    Label Label4{"Label4"};
    Label Label2{"Label2"};
    Label Label1{"Label1"};
    // Stops a running upload; beside the bar, shown only while an upload copies. Not one of
    // the window's table of controls: controls() leaves it out, control("Stop") finds it.
    CommandButton Stop{"Stop"};

    // The factory kit installed with the program (a Windows path, "" when there is none); it
    // supplies a first run whose start folder lacks the factory files.
    std::string InstalledKitFolder;

    // --- window fields shared by the handlers (all zero or empty before start-up)
    std::int16_t FolderConfirmed = 0;    // 0 none yet, 1 confirmed, 2 last choice cancelled
    std::int16_t UseWorkingCopy = 0;     // 1: playlists load from the working copies on c:
    std::int16_t ConfirmDecision = 0;    // last confirmation: 1 cancel, 2 no, 3 yes
    std::int32_t MsgAnswer = 0;          // raw answer of the last confirmation box
    std::int16_t DeleteAllQuiet = 0;     // 2: Delete All runs without its question
    std::string StartFolder;             // the folder shown at the end of start-up
    std::string CreatedSoundFolder;      // the sound folder start-up created, or ""
    std::string SoundFolderPath;         // the confirmed sound folder
    std::int16_t NewFolderMark = 0;      // 2 once "Yes" created a sound folder; never reset
    std::int16_t ExistingFolderMark = 0; // 3 once "Yes" confirmed an existing one; never reset
    std::int32_t CapacityBytes = 0;      // 104857600 after start-up
    std::int64_t UsedBytes = 0;          // summed sizes of the listed sound files; 0: not counted
    std::int64_t FileBytes = 0;          // the length measured last while summing
    double FreeMegabytes = 0;            // free space last computed
    std::string FactoryPrefix;           // StartFolder in front of "Tarvo_Calls", "\" included
    std::int16_t FactoryPrefixLength = 0;
    std::int16_t SaveArmed = 0;      // 1 when List1 had rows as Save began
    std::int32_t WaitDone = 0;       // 0 while a write yields, -1 after
    std::int16_t LineMatched = 0;    // 2 as a playlist load starts, 1 once a line matched
    std::string CandidateFolder;     // a possible sound folder inside the one Dir2 shows
    std::string DirResult;           // result of the last existence probe
    std::string PlaylistFilePath;    // the playlist file last read or written
    std::string PlaylistLine;        // the line last read or about to be written
    std::int16_t FileIndex = 0;      // loop counter over File2
    std::int32_t LoopIndex = 0;      // loop counter of the playlist writer
    std::string UploadDestination;   // the folder an upload writes to
    std::string UploadSourceFile;    // the sound file being uploaded
    std::int16_t UploadProgress = 0; // 0..20, shown by ProgressBar1
    // Set by Stop on the window's thread, read by the upload's worker.
    std::atomic<bool> UploadStopRequested{false};

private:
    void applyControlsTable();

    std::string caption_;
    bool unloaded_ = false;
    int dispatching_ = 0; // events being handled: more than one only for Stop during an upload
    std::function<void()> loadHandler_;
    std::vector<Control*> controls_;
    std::vector<std::function<void(const std::string&)>> captionObservers_;
    std::vector<std::function<void()>> unloadObservers_;
};

// What the values of the window fields stand for; the fields keep their own types and values,
// since a scenario transcript shows them as they are.
inline constexpr std::int16_t kNoFolderYet = 0;              // FolderConfirmed
inline constexpr std::int16_t kFolderConfirmed = 1;          // FolderConfirmed
inline constexpr std::int16_t kFolderChoiceCancelled = 2;    // FolderConfirmed
inline constexpr std::int16_t kDeviceCopy = 0;               // UseWorkingCopy
inline constexpr std::int16_t kWorkingCopy = 1;              // UseWorkingCopy
inline constexpr std::int16_t kDeleteAllAsks = 0;            // DeleteAllQuiet
inline constexpr std::int16_t kDeleteAllWithoutQuestion = 2; // DeleteAllQuiet
inline constexpr std::int16_t kNewFolderMark = 2;            // NewFolderMark
inline constexpr std::int16_t kExistingFolderMark = 3;       // ExistingFolderMark
inline constexpr std::int16_t kSaveIdle = 0;                 // SaveArmed
inline constexpr std::int16_t kSaveArmed = 1;                // SaveArmed
inline constexpr std::int32_t kWriteYielding = 0;            // WaitDone
inline constexpr std::int32_t kWriteDone = -1;               // WaitDone
inline constexpr std::int16_t kLineMatched = 1;              // LineMatched
inline constexpr std::int16_t kLoadStarted = 2;              // LineMatched
inline constexpr std::int16_t kUploadProgressSteps = 20;     // UploadProgress runs 0 to this

// A modal box; without a title of its own it carries the application title "Korvane".
int MsgBox(Form1& f, const std::string& prompt, BoxButtons buttons = BoxButtons::Ok,
           BoxIcon icon = BoxIcon::None, const std::string& title = "");

// Lets the pending window events run once (repaints; user input waits for the operation's end).
void YieldToWindowEvents(Form1& f);

} // namespace korvane
