#pragma once
/// orvxctl's preset commands, on the editor's preset library in the data directory. list, rename
/// and delete touch only the library; save reads the processor's values of a channel and stores
/// them; recall loads a preset into a channel, sends the frames the editor sends for it and reads
/// the processor's state back until it shows the preset, as set does.

#include "CtlClient.h"
#include "CtlOptions.h"
#include "CtlParamCommands.h"

#include <optional>

#include "dsp/PresetDatabase.h"

namespace orvx {

/// The editor's library (presets and scenes) in --data-dir, created with its tables on first use;
/// the error if it cannot be.
std::string OpenLibrary(const CtlOptions& o, CPresetDatabase& db);

/// Refuses, before any frame is sent, a save of a kind the processor reports none of (the delay,
/// the reverb, the gate: it would store the editor's start-up values), and a recall of a kind no
/// command carries (kExitStateOnly).
std::optional<CtlReply> RefusePresetUnreachable(const CtlOptions& o);

/// preset list, rename and delete: the library alone. A preset ID that names none is refused
/// (kExitBadArguments); a library that cannot be opened or changed is kExitFailure.
CtlReply RunPresetLibrary(const CtlOptions& o);

/// preset save: the processor's values of the record as a new preset with the name given.
CtlReply RunPresetSave(CCtlClient& client, const CtlOptions& o);

/// preset recall: the preset into the record, sent, then read back; kExitNoAnswer when the
/// processor still does not show it after three tries.
CtlReply RunPresetRecall(CCtlClient& client, const CtlOptions& o);

}  // namespace orvx
