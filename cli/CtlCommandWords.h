#pragma once
/// The words that follow orvxctl's commands, read into the options: the value addressed by get and
/// set, the mute group and its switch, a unit's slot or call, the members of a mute group.

#include "CtlOptions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvx {

/// The words of one command, read from the front; every reader returns an error text on refusal.
struct CommandWords {
  const std::vector<std::string>& words;
  CtlOptions& o;
  std::size_t at = 0;

  /// An error when words are left over.
  std::optional<std::string> Rest() const;
};

/// get/set: "NAME [REC [IDX]] [VALUE]" or the older "in|out N level|mute|name [VALUE]".
std::optional<std::string> ReadValueWords(bool set, CommandWords& w);
/// group mute: "N on|off" (any switch word).
std::optional<std::string> ReadGroupMuteWords(CommandWords& w);
/// unit set: "N slot S ENTRY", the same as "set unit.slot N S ENTRY".
std::optional<std::string> ReadUnitSetWords(CommandWords& w);
/// unit call: "N".
std::optional<std::string> ReadUnitCallWords(CommandWords& w);

/// The word of a preset kind on the command line: delay, reverb, compressor, gate, peq, limiter, geq.
const char* PresetKindWord(PresetKind kind);

/// preset list|save|recall|rename|delete: "KIND", "KIND NAME", "KIND ID" or "KIND ID NAME", the
/// verb given as its command; with `recordNumber` the --from/--to record (counted from 1, 0: none).
std::optional<std::string> ReadPresetWords(CtlCommand verb, int recordNumber, CommandWords& w);
/// eq-curve: "REC", an input whose bands the processor reports (1..12).
std::optional<std::string> ReadEqCurveWords(CommandWords& w);
/// The words of a scene command: "NAME", "ID [NAME]", "ID FILE.json", "FILE.json" or "A B".
std::optional<std::string> ReadSceneWords(SceneAction action, CommandWords& w);

/// "in1-12,out3,in14": inputs 1..18 and outputs 1..8, single numbers or ranges, added to `members`.
std::optional<std::string> ReadMembers(const std::string& text, std::vector<GroupMember>& members);

}  // namespace orvx
