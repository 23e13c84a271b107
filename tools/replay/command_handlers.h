// The handlers the command table names, and the checks they share.
#pragma once

#include "calls/call_info.h"
#include "commands.h"
#include "script_error.h"

#include <cstdint>
#include <string>

namespace korvane::replay {

// Throws the usage as a script error unless the count of arguments is in [least, most].
void ExpectArguments(const Invocation& in, std::size_t least, std::size_t most,
                     std::string_view usage);
std::int64_t ParseInteger(const Word& word);

// Setting the scene and the queued answers.
Action DriveCommand(Session& s, const Invocation& in);
Action CwdCommand(Session& s, const Invocation& in);
Action MkdirCommand(Session& s, const Invocation& in);
Action FileCommand(Session& s, const Invocation& in);
Action TextCommand(Session& s, const Invocation& in);
Action KitCommand(Session& s, const Invocation& in);
Action FaultCommand(Session& s, const Invocation& in);
Action UnfaultCommand(Session& s, const Invocation& in);
Action AnswerCommand(Session& s, const Invocation& in);
Action PickCommand(Session& s, const Invocation& in);
// fault slow PATTERN BYTES_PER_SECOND
Action SlowFaultCommand(Session& s, const Invocation& in);

// Acting as the user.
Action StartCommand(Session& s, const Invocation& in);
Action ClickCommand(Session& s, const Invocation& in);
Action ChooseCommand(Session& s, const Invocation& in);
Action TypeCommand(Session& s, const Invocation& in);
Action OpenCommand(Session& s, const Invocation& in);
Action SelectCommand(Session& s, const Invocation& in);
Action DuringYieldCommand(Session& s, const Invocation& in);
Action PlayCommand(Session& s, const Invocation& in);
Action StopCommand(Session& s, const Invocation& in);
// at-progress N COMMAND: input that arrives while an upload runs.
Action AtProgressCommand(Session& s, const Invocation& in);

// Looking.
Action ShowCommand(Session& s, const Invocation& in);
// show rows CONTROL, for a folder or drive list.
Action ShowRowsCommand(Session& s, const Invocation& in);
// show info PATH: the length and format of the call in PATH, or why it holds none.
void ShowInfo(Session& s, const Word& path);
// "length=S.SS s" and, with format, the bit rate, rate and channels; else why there is no sound.
std::string CallInfoWords(const CallInfo& info, bool format);
// show loudness PATH: the call's integrated loudness and true peak, or why there is none.
void ShowLoudness(Session& s, const Word& path);
// show trash: what the program put in the scene's trash; no-trash: a trash that takes nothing.
Action ShowTrashCommand(Session& s, const Invocation& in);
Action NoTrashCommand(Session& s, const Invocation& in);

// Korvane's own, each standing for lines most scripts repeat.
Action OnKitCommand(Session& s, const Invocation& in);
Action StartOnKitCommand(Session& s, const Invocation& in);
Action SoundFolderCommand(Session& s, const Invocation& in);
Action CallsCommand(Session& s, const Invocation& in);
Action FileYesCommand(Session& s, const Invocation& in);
Action UploadToCommand(Session& s, const Invocation& in);
// tone PATH SECONDS DBFS [HZ [RATE [CHANNELS]]]: a WAV recording to convert.
Action ToneCommand(Session& s, const Invocation& in);

} // namespace korvane::replay
