#include "CtlOptions.h"

#include "CtlCommandWords.h"
#include "CommandLine.h"

#include <algorithm>
#include <tuple>

namespace orvx {
namespace {

constexpr const char* kEveryCommand =
    "The options of every command (--device, --port, --local-ip, --local-port, --timeout, --json): orvxctl --help";

constexpr const char* kProgramFooter =
    "Options stand before or after the command; a command's own options after it.\n"
    "Ports: --port (the processor's) and --local-port (where it answers) default to 39030, --local-ip to\n"
    "  0.0.0.0; while an editor or `orvxctl monitor` holds the port, give this run another loopback\n"
    "  address (127.0.0.5) or an interface address of this PC with --local-ip.\n"
    "Exit codes: 0 ok, 1 failure (e.g. the local port is in use), 2 bad arguments,\n"
    "  3 no answer (CANNOT CONNECT., or a change the processor did not take), 4 old firmware,\n"
    "  5 state only: set of a value no command carries, get of a value no report carries (nothing sent),\n"
    "  6 not confirmed: set sent the value, but no report carries it back,\n"
    "  7 declined: a firmware update's question was not confirmed (give --yes); nothing was sent";

constexpr const char* kSceneFooter =
    "Scenes are the editor's: SAVE<n>.dat files and the scene list of the preset library in --data-dir,\n"
    "numbered 1..32 (a new one after the highest). JSON documents hold every value by its parameter name\n"
    "(orvxctl params), in units and raw; an export imported again is the same scene file.";

constexpr const char* kValueFooter =
    "REC and IDX count from 1 (channel, output, group, unit; band, slot, ...). A value is in the units\n"
    "`orvxctl params` shows: a number with or without its unit, a caption of a list or switch in either\n"
    "language (a switch also takes on/off, true/false, yes/no and 1/0), or with --raw the table's raw value.\n"
    "The older form reads and writes raw values: level 0..70 (dB = level - 60), mute 0|1, name.";

constexpr const char* kPresetFooter =
    "KIND: delay, reverb, compressor, gate, peq, limiter or geq. The library is Vanta24.db in the data\n"
    "directory (--data-dir DIR, default the editor's: $XDG_DATA_HOME/orvx-editor). A NAME follows the rule of\n"
    "channel names: at most 8 bytes in the processor's code page (4 Chinese characters).\n"
    "REC: inputs 1..18 for compressor, gate and peq, outputs 1..8 for limiter and geq; delay and reverb\n"
    "presets belong to their effect and take no REC.";

/// A command: its words (what follows it) and its help.
CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& help, std::vector<std::string>& words,
                     const std::string& wordsHelp, const std::string& footer = {}) {
  CLI::App* command = app.add_subcommand(name, help);
  if (!wordsHelp.empty()) command->add_option("WORDS", words, wordsHelp)->type_name("");
  command->footer(footer.empty() ? kEveryCommand : footer + "\n" + kEveryCommand);
  return command;
}

/// "2-254" or "7": the hosts a search probes.
std::optional<std::string> ReadHosts(const std::string& v, CtlOptions& o) {
  const std::size_t dash = v.find('-');
  const auto first = ParseNumber<int>(v.substr(0, dash), 1, 254);
  const auto last = dash == std::string::npos ? first : ParseNumber<int>(v.substr(dash + 1), 1, 254);
  if (!first || !last || *last < *first) return "'" + v + "' is not FIRST-LAST within 1..254, e.g. 2-254";
  o.firstHost = *first;
  o.lastHost = *last;
  return std::nullopt;
}

}  // namespace

bool NeedsNoDevice(CtlCommand command) {
  switch (command) {
    case CtlCommand::Params:
    case CtlCommand::Search:
    case CtlCommand::PresetList:
    case CtlCommand::PresetRename:
    case CtlCommand::PresetDelete: return true;
    default: return false;
  }
}

bool SceneNeedsDevice(const CtlOptions& o) {
  if (o.command != CtlCommand::Scene) return false;
  if (o.scene == SceneAction::Save || o.scene == SceneAction::Recall) return true;
  return o.scene == SceneAction::Diff && (o.diffFrom == "device" || o.diffTo == "device");
}

std::variant<CtlOptions, std::string, CommandLineHelp> ParseCtlOptions(const std::vector<std::string>& args) {
  CtlOptions o;
  std::vector<std::string> words;  // the words of the command given

  CLI::App app("orvxctl: the ORVX-64Q processor from the command line, on the editor's own session.", "orvxctl");
  ShapeCommandLine(app);
  app.fallthrough();  // the options of the program may follow the command
  AddAddressOption(app, "--device", o.deviceIp, "the processor's address (every command but params and search)");
  AddNumberOption<std::uint16_t>(app, "--port", "N", o.port, 1, 65535, "the processor's port (default 39030)");
  AddAddressOption(app, "--local-ip", o.localIp,
                   "the address this run binds (default 0.0.0.0); while an editor\nholds the port, another loopback or "
                   "interface address");
  AddNumberOption<std::uint16_t>(app, "--local-port", "N", o.localPort, 0, 65535,
                                 "where the processor answers this run (default 39030)");
  AddNumberOption(app, "--timeout", "S", o.timeoutS, 0.1, 600.0,
                  "seconds to wait for the connection (default 16: three attempts, 5 s apart)");
  app.add_flag("--json", o.json, "one JSON document on standard output (errors too), stable for scripts");
  app.add_flag("--raw", o.raw, "get and set: values in the parameter table's raw units");
  AddWordOption(
      app, "--data-dir", "DIR",
      [&o](const std::string& v) -> std::optional<std::string> {
        o.dataDir = v;
        return std::nullopt;
      },
      "preset, scene: the editor's data directory (default $XDG_DATA_HOME/orvx-editor)");

  CLI::App* status = AddCommand(app, "status", "handshake, firmware version, names, online", words, {});
  CLI::App* params = AddCommand(app, "params", "every value of the parameter table (no --device needed)", words, {});
  CLI::App* get = AddCommand(app, "get", "read one value, e.g. get in.peq.gain 3 2", words,
                             "NAME [REC [IDX]], or the older in|out N level|mute|name", kValueFooter);
  CLI::App* set = AddCommand(app, "set", "change one value and read it back, e.g. set in.level 3 -6dB", words,
                             "NAME [REC [IDX]] VALUE, or the older in|out N level|mute|name VALUE",
                             std::string(kValueFooter) +
                                 "\nExamples: set in.source 5 D2, set in.peq.gain 1 2 -3.5dB, set in.mute 4 on, "
                                 "set in.mute 4 1 --raw");
  CLI::App* monitor = AddCommand(app, "monitor", "live meters and automatic-mixer gates", words, {});
  AddNumberOption(*monitor, "--seconds", "S", o.seconds, 0.1, 3600.0, "how long (default 5)");

  CLI::App* group = AddCommand(app, "group", "mute groups (kept by the editor, not the processor)", words, {});
  CLI::App* groupMute =
      AddCommand(*group, "mute", "mute (on) or open (off) the members of mute group N; read back like set", words,
                 "N on|off: the group (1..4) and a switch word (on/off, true/false, 1/0)");
  AddWordOption(
      *groupMute, "--members", "LIST", [&o](const std::string& v) { return ReadMembers(v, o.members); },
      "the members: in1..in18 and out1..out8, single or ranges, e.g. in1-12,out1-8")
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw);  // one list: a second is no silent loss

  CLI::App* search = AddCommand(app, "search", "find processors on a subnet (no --device needed)", words, {});
  search->preparse_callback([&o](std::size_t) { o.seconds = 1; });
  AddWordOption(
      *search, "--subnet", "A.B.C",
      [&o](const std::string& v) -> std::optional<std::string> {
        if (!IsDottedQuad(v + ".1")) return "'" + v + "' is not the first three bytes of an address, e.g. 127.0.0";
        o.subnet = v;
        return std::nullopt;
      },
      "the subnet to probe (required)");
  AddWordOption(
      *search, "--hosts", "F-L", [&o](const std::string& v) { return ReadHosts(v, o); },
      "the hosts probed (default 2-254); the PC's own --local-ip is skipped");
  AddNumberOption(*search, "--seconds", "S", o.seconds, 0.1, 3600.0, "listen this long after the probe (default 1)");

  CLI::App* units = AddCommand(app, "units", "the conference units: count and every slot", words, {});
  CLI::App* unit = AddCommand(app, "unit", "one conference unit: set a slot, or call it", words, {});
  CLI::App* unitSet = AddCommand(*unit, "set", "slot S (1..5) of unit N (1..4) feeds ENTRY; read back like set", words,
                                 "N slot S ENTRY; ENTRY is NULL, CH01..CH12, M01..M04 or D01..D04");
  CLI::App* unitCall = AddCommand(*unit, "call", "call unit N (1..4)", words, "N");

  CLI::App* preset = AddCommand(app, "preset", "the DSP editors' preset library", words, {});
  int recordNumber = 0;  // --from / --to, checked against the kind once it is read
  auto presetCommand = [&](const char* name, const char* help, const char* wordsHelp) {
    return AddCommand(*preset, name, help, words, wordsHelp, kPresetFooter);
  };
  CLI::App* presetList = presetCommand("list", "the stored presets of KIND, as ID:NAME (no --device needed)", "KIND");
  CLI::App* presetSave =
      presetCommand("save", "store the processor's values of REC as a new preset NAME", "KIND NAME");
  AddNumberOption(*presetSave, "--from", "REC", recordNumber, 1, kInputRecords, "the channel or output read");
  CLI::App* presetRecall = presetCommand(
      "recall", "load preset ID into REC and send it as the editor does; read back like set", "KIND ID");
  AddNumberOption(*presetRecall, "--to", "REC", recordNumber, 1, kInputRecords, "the channel or output loaded");
  CLI::App* presetRename = presetCommand("rename", "give preset ID a new NAME (no --device needed)", "KIND ID NAME");
  CLI::App* presetDelete = presetCommand("delete", "delete preset ID (no --device needed)", "KIND ID");

  CLI::App* eqCurve = AddCommand(app, "eq-curve",
                                 "the summed parametric EQ response of input REC as the editor draws it: 241 points, "
                                 "frequency (Hz) and gain (dB), from the processor's state",
                                 words, "REC (1..12)");
  CLI::App* firmware = AddCommand(app, "firmware", "the processor's firmware: its versions, an update", words, {});
  CLI::App* firmwareVersions =
      AddCommand(*firmware, "versions", "the processor's firmware and base versions (on the update's own socket)",
                 words, {});
  CLI::App* firmwareUpdate = AddCommand(
      *firmware, "update", "send two images (Digital first, DSP second); progress on stderr", words, {},
      "The link to the processor is stopped first, as the editor does; afterwards it stays closed.\n"
      "Questions (the versions cannot be read, no backup can be kept) are answered Cancel without --yes.");
  for (auto [name, file, what] : {std::tuple{"--digital", &o.digitalFile, "the Digital image (target 1), sent first"},
                                  {"--dsp", &o.dspFile, "the DSP image (target 0), sent second"}}) {
    AddWordOption(
        *firmwareUpdate, name, "FILE",
        [file](const std::string& v) -> std::optional<std::string> {
          *file = v;
          return std::nullopt;
        },
        what);
  }
  firmwareUpdate->add_flag("--yes", o.yes, "answer the update's questions with OK");

  CLI::App* scene = AddCommand(app, "scene", "scenes of the whole processor, kept on this PC as the editor keeps them",
                               words, {}, kSceneFooter);
  struct SceneCommand {
    const char* name;
    SceneAction action;
    const char* help;
    const char* words;
  };
  const SceneCommand sceneCommands[] = {
      {"list", SceneAction::List, "the stored scenes: ID, name, file", ""},
      {"save", SceneAction::Save, "the processor's state as a new scene (needs --device)", "NAME (at most 8 bytes)"},
      {"recall", SceneAction::Recall, "a scene into the processor as one paced push (needs --device)", "ID"},
      {"rename", SceneAction::Rename, "a scene's name", "ID NAME (at most 8 bytes)"},
      {"delete", SceneAction::Delete, "a scene: its file to the desktop trash, its row removed", "ID"},
      {"export", SceneAction::Export, "a scene as a JSON document", "ID FILE.json"},
      {"import", SceneAction::Import, "a JSON document as a new scene", "FILE.json"},
      {"diff", SceneAction::Diff, "what would change from A to B, by page, channel and parameter",
       "A B: each device, a scene ID, a .dat or a .json file"},
  };
  std::vector<std::pair<CLI::App*, SceneAction>> sceneApps;
  for (const SceneCommand& c : sceneCommands) {
    CLI::App* sub = AddCommand(*scene, c.name, c.help, words, c.words, kSceneFooter);
    sceneApps.emplace_back(sub, c.action);
    if (c.action == SceneAction::Recall)
      sub->add_flag("--changes-only", o.changesOnly, "send only the frames of the values that change");
    if (c.action == SceneAction::Diff) {
      AddWordOption(
          *sub, "--language", "en|zh",
          [&o](const std::string& v) -> std::optional<std::string> {
            if (v != "en" && v != "zh") return "'" + v + "' is not en or zh";
            o.language = v == "zh" ? Language::Chinese : Language::English;
            return std::nullopt;
          },
          "captions and values in English (default) or Chinese");
    }
  }

  app.footer(kProgramFooter);

  if (auto outcome = ParseCommandLine(app, args)) {
    if (auto* help = std::get_if<CommandLineHelp>(&*outcome)) return *help;
    return std::get<std::string>(*outcome);
  }
  if (app.get_subcommands().empty()) return std::string("missing command");

  CommandWords w{words, o};
  std::optional<std::string> error;
  if (status->parsed()) {
    o.command = CtlCommand::Status;
  } else if (params->parsed()) {
    o.command = CtlCommand::Params;
  } else if (get->parsed() || set->parsed()) {
    error = ReadValueWords(set->parsed(), w);
  } else if (monitor->parsed()) {
    o.command = CtlCommand::Monitor;
  } else if (groupMute->parsed()) {
    error = ReadGroupMuteWords(w);
  } else if (group->parsed()) {
    error = "expected: group mute N on|off --members LIST";
  } else if (search->parsed()) {
    o.command = CtlCommand::Search;
    if (o.subnet.empty()) error = "search needs --subnet A.B.C (the subnet to probe)";
  } else if (units->parsed()) {
    o.command = CtlCommand::Units;
  } else if (unitSet->parsed()) {
    error = ReadUnitSetWords(w);
  } else if (unitCall->parsed()) {
    error = ReadUnitCallWords(w);
  } else if (unit->parsed()) {
    error = "expected: unit set N slot S ENTRY, or unit call N";
  } else if (presetList->parsed()) {
    error = ReadPresetWords(CtlCommand::PresetList, recordNumber, w);
  } else if (presetSave->parsed()) {
    error = ReadPresetWords(CtlCommand::PresetSave, recordNumber, w);
  } else if (presetRecall->parsed()) {
    error = ReadPresetWords(CtlCommand::PresetRecall, recordNumber, w);
  } else if (presetRename->parsed()) {
    error = ReadPresetWords(CtlCommand::PresetRename, recordNumber, w);
  } else if (presetDelete->parsed()) {
    error = ReadPresetWords(CtlCommand::PresetDelete, recordNumber, w);
  } else if (preset->parsed()) {
    error = "expected: preset list|save|recall|rename|delete KIND ...";
  } else if (eqCurve->parsed()) {
    error = ReadEqCurveWords(w);
  } else if (scene->parsed()) {
    const auto chosen =
        std::find_if(sceneApps.begin(), sceneApps.end(), [](const auto& c) { return c.first->parsed(); });
    if (chosen == sceneApps.end())
      error = "expected: scene list|save|recall|rename|delete|export|import|diff";
    else
      error = ReadSceneWords(chosen->second, w);
  } else if (firmwareVersions->parsed()) {
    o.command = CtlCommand::FirmwareVersions;
  } else if (firmwareUpdate->parsed()) {
    o.command = CtlCommand::FirmwareUpdate;
    if (o.digitalFile.empty() || o.dspFile.empty()) error = "firmware update needs --digital FILE and --dsp FILE";
  } else if (firmware->parsed()) {
    error = "expected: firmware versions, or firmware update --digital FILE --dsp FILE";
  }
  if (!error) error = w.Rest();
  if (error) return *error;
  const bool offline = NeedsNoDevice(o.command) || (o.command == CtlCommand::Scene && !SceneNeedsDevice(o));
  if (o.deviceIp.empty() && !offline) return std::string("--device IP is required");
  if (o.raw && o.command != CtlCommand::Get && o.command != CtlCommand::Set)
    return std::string("--raw belongs to get and set");
  return o;
}

}  // namespace orvx
