#pragma once
/// Command line of orvxctl (on CLI11): the program's options, before or after one command, then
/// the command's words and its own options. `orvxctl --help` and `orvxctl COMMAND --help` list them.
///
///   orvxctl --device IP [--port N] [--local-ip IP] [--local-port N] [--timeout S] [--json]
///           [--data-dir DIR] COMMAND
///   Both ports default to 39030: the processor answers there, so an editor or a running
///   `orvxctl monitor` on the same address keeps a second run from binding.
///   COMMAND: status | params | get NAME [RECORD [INDEX]] | set NAME [RECORD [INDEX]] VALUE
///            | monitor [--seconds N] | group mute N on|off --members LIST
///            | search --subnet A.B.C [--hosts F-L] [--seconds N] | units | unit set N slot S ENTRY | unit call N
///            | preset list KIND | preset save KIND NAME --from REC | preset recall KIND ID --to REC
///            | preset rename KIND ID NAME | preset delete KIND ID
///            | eq-curve REC
///            | scene list | scene save NAME | scene recall ID [--changes-only] | scene rename ID NAME
///            | scene delete ID | scene export ID FILE.json | scene import FILE.json
///            | scene diff A B [--language en|zh]   (A, B: device, a scene ID, a .dat or a .json file)
///            | firmware versions | firmware update --digital FILE --dsp FILE [--yes]
///   Presets and scenes live in --data-dir DIR (default $XDG_DATA_HOME/orvx-editor, the editor's
///   own); of the scene commands only save, recall and a diff with "device" need --device.
///   The older forms "get in|out N level|mute|name" and "set in|out N level|mute|name VALUE" remain
///   (raw values, their own output). `params`, `search` and the preset commands that do not touch the
///   processor (list, rename, delete) need no --device.

#include "CommandLineHelp.h"
#include "dsp/PresetKind.h"
#include "session/MuteGroups.h"
#include "session/ParamTable.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace orvx {

enum class CtlCommand {
  Status,
  Get,
  Set,
  Monitor,
  Params,
  GroupMute,
  Search,
  Units,
  UnitCall,
  PresetList,
  PresetSave,
  PresetRecall,
  PresetRename,
  PresetDelete,
  EqCurve,
  Scene,
  FirmwareVersions,
  FirmwareUpdate
};
enum class SceneAction { List, Save, Recall, Rename, Delete, Export, Import, Diff };
enum class CtlProperty { Level, Mute, Name };

struct CtlOptions {
  std::string deviceIp;
  std::string localIp = "0.0.0.0";
  std::uint16_t localPort = 39030;  ///< the processor answers on this port, whatever port a frame came from
  std::uint16_t port = 39030;
  double timeoutS = 16;  ///< covers the three connection attempts (0, 5, 10 s) and the give-up at 15 s
  bool json = false;

  CtlCommand command = CtlCommand::Status;
  ParamAddr addr;         ///< get/set: the value, record and index counted from 0
  ParamValue paramValue;  ///< set: the value, checked and in range
  bool raw = false;       ///< --raw: values in the table's raw units
  bool legacy = false;    ///< the "in|out N level|mute|name" form, printed as it always was
  bool input = true;      ///< get/set: "in" (1..12) or "out" (1..8)
  int number = 0;
  CtlProperty property = CtlProperty::Level;
  std::string value;   ///< set: the raw value text (level 0..70, mute 0|1, name UTF-8)
  double seconds = 5;  ///< monitor
  int group = 0;       ///< group mute: 0..3
  bool groupOn = false;
  /// group mute: the members (the editor keeps mute groups; the processor knows none of them)
  std::vector<GroupMember> members;
  std::string subnet;  ///< search: "a.b.c"
  int firstHost = 2;   ///< search: the hosts probed
  int lastHost = 254;
  int unit = 0;  ///< unit call: 0..3
  std::string dataDir;  ///< preset, scene: --data-dir (empty: the editor's own data directory)
  PresetKind presetKind = PresetKind::Peq;
  std::int64_t presetId = 0;  ///< recall, rename, delete
  std::string presetName;     ///< save, rename: UTF-8, checked under the rule of names
  int record = -1;            ///< preset save --from, recall --to, eq-curve: counted from 0 (-1: none given)
  SceneAction scene = SceneAction::List;
  std::int64_t sceneId = 0;
  std::string sceneName;  ///< save, rename: UTF-8
  std::string sceneFile;  ///< export, import
  bool changesOnly = false;
  std::string diffFrom, diffTo;  ///< diff: "device", an ID, a .dat or .json file
  Language language = Language::English;
  std::string digitalFile;  ///< firmware update: the image for the Digital side (sent first)
  std::string dspFile;      ///< firmware update: the image for the DSP (sent second)
  bool yes = false;         ///< firmware update: answer its questions with OK
};

/// True for the commands that need no processor.
bool NeedsNoDevice(CtlCommand command);

/// Exit codes of orvxctl.
enum CtlExit : int {
  kExitOk = 0,
  kExitFailure = 1,  ///< anything else (e.g. the socket cannot be opened)
  kExitBadArguments = 2,
  kExitNoAnswer = 3,     ///< no answer / "CANNOT CONNECT."
  kExitOldFirmware = 4,  ///< "Please update your device."
  kExitStateOnly = 5,    ///< set of a value no command carries, get of one no report carries: nothing sent
  kExitUnconfirmed = 6,  ///< set: sent, but no report carries the value back to confirm it
  kExitDeclined = 7,     ///< firmware update: a question was not confirmed (no --yes); nothing was sent
};

/// Printed under an error instead of the whole usage.
inline constexpr const char* kCtlHelpHint =
    "Run 'orvxctl --help' for the commands and options, 'orvxctl COMMAND --help' for one.";

/// True for a scene command that talks to the processor (save, recall, a diff with "device").
bool SceneNeedsDevice(const CtlOptions& o);

/// The options and command, an error (one line naming the bad word), or the help asked for
/// (--help or -h on the program or on a command).
std::variant<CtlOptions, std::string, CommandLineHelp> ParseCtlOptions(const std::vector<std::string>& args);

}  // namespace orvx
