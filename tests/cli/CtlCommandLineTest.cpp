// orvxctl's command line on CLI11: help on the program and on every command, errors that name the
// bad word in one line, options before or after the command, and the switch words of group mute.

#include "CtlOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace orvx {
namespace {

using Words = std::vector<std::string>;

std::string HelpOf(const Words& words) {
  const auto parsed = ParseCtlOptions(words);
  if (const auto* help = std::get_if<CommandLineHelp>(&parsed)) return help->text;
  ADD_FAILURE() << "no help for " << ::testing::PrintToString(words);
  return {};
}

std::string ErrorOf(const Words& words) {
  const auto parsed = ParseCtlOptions(words);
  if (const auto* error = std::get_if<std::string>(&parsed)) return *error;
  ADD_FAILURE() << "accepted: " << ::testing::PrintToString(words);
  return {};
}

CtlOptions Accepted(const Words& words) {
  const auto parsed = ParseCtlOptions(words);
  if (const auto* o = std::get_if<CtlOptions>(&parsed)) return *o;
  ADD_FAILURE() << ::testing::PrintToString(words) << ": "
                << (std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "help");
  return {};
}

TEST(CtlCommandLine, TheProgramsHelpListsEveryCommandAndOption) {
  for (const Words& words :
       {Words{"--help"}, Words{"-h"}, Words{"--device", "--help"}, Words{"--timeout", "x", "-h"}}) {
    const std::string help = HelpOf(words);
    SCOPED_TRACE(words.front());
    EXPECT_EQ(help.find("usage: orvxctl [OPTIONS]"), help.find("usage:")) << help;
    for (const char* command : {"status", "params", "get", "set", "monitor", "group", "search", "units", "unit", "preset",
                                "eq-curve", "scene", "firmware"})
      EXPECT_NE(help.find("\n  " + std::string(command) + " "), std::string::npos) << command;
    for (const char* option :
         {"--device IP", "--port N", "--local-ip IP", "--local-port N", "--timeout S", "--json", "--raw",
          "--data-dir DIR"})
      EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_NE(help.find("Exit codes: 0 ok"), std::string::npos);
  }
}

TEST(CtlCommandLine, EveryCommandHasItsOwnHelpWithItsOwnOptions) {
  struct Case {
    Words command;
    std::vector<std::string> shows;
  };
  const std::vector<Case> cases = {
      {{"status"}, {}},
      {{"params"}, {}},
      {{"get"}, {"NAME [REC [IDX]]", "--raw"}},
      {{"set"}, {"NAME [REC [IDX]] VALUE", "on/off", "--raw"}},
      {{"monitor"}, {"--seconds S"}},
      {{"group"}, {"mute"}},
      {{"group", "mute"}, {"--members LIST", "on|off"}},
      {{"search"}, {"--subnet A.B.C", "--hosts F-L", "--seconds S"}},
      {{"units"}, {}},
      {{"unit"}, {"set", "call"}},
      {{"unit", "set"}, {"N slot S ENTRY"}},
      {{"unit", "call"}, {"call unit N"}},
      {{"preset"}, {"list", "save", "recall", "rename", "delete"}},
      {{"preset", "list"}, {"KIND", "--data-dir DIR", "gate", "peq", "geq"}},
      {{"preset", "save"}, {"KIND NAME", "--from REC"}},
      {{"preset", "recall"}, {"KIND ID", "--to REC"}},
      {{"preset", "rename"}, {"KIND ID NAME"}},
      {{"preset", "delete"}, {"KIND ID"}},
      {{"eq-curve"}, {"REC (1..12)", "241 points"}},
      {{"scene"}, {"list", "save", "recall", "rename", "delete", "export", "import", "diff", "SAVE<n>.dat"}},
      {{"scene", "recall"}, {"ID", "--changes-only"}},
      {{"scene", "diff"}, {"A B: each device, a scene ID, a .dat or a .json file", "--language en|zh"}},
      {{"scene", "export"}, {"ID FILE.json"}},
      {{"firmware"}, {"versions", "update"}},
      {{"firmware", "versions"}, {}},
      {{"firmware", "update"}, {"--digital FILE", "--dsp FILE", "--yes"}},
  };
  for (const Case& c : cases) {
    std::string path;
    for (const std::string& w : c.command) path += " " + w;
    SCOPED_TRACE(path);
    // Asked before or after the program's options; with a bad word beside it, help still wins.
    Words after = {"--device", "127.0.0.9"};
    after.insert(after.end(), c.command.begin(), c.command.end());
    after.push_back("--help");
    Words bad = c.command;
    bad.insert(bad.end(), {"-h", "--frobnicate"});
    for (const Words& words : {after, bad}) {
      const std::string help = HelpOf(words);
      EXPECT_NE(help.find("usage: orvxctl" + path + " [OPTIONS]"), std::string::npos) << help;
      for (const std::string& shown : c.shows) EXPECT_NE(help.find(shown), std::string::npos) << shown;
      EXPECT_EQ(help.find("monitor"), c.command[0] == "monitor" ? help.find("monitor") : std::string::npos)
          << "only the command's own help";
    }
  }
}

TEST(CtlCommandLine, AnErrorIsOneLineThatNamesTheBadWord) {
  struct Case {
    Words words;
    std::string names;
  };
  const std::vector<Case> cases = {
      {{}, "missing command"},
      {{"--device", "127.0.0.9", "frobnicate"}, "unknown command frobnicate"},
      {{"--device", "127.0.0.9", "--frob", "status"}, "unknown option --frob"},
      {{"--device", "127.0.0.9", "status", "--seconds", "3"}, "unknown option --seconds"},
      {{"--device", "127.0.0.9", "status", "extra"}, "unexpected argument extra"},
      {{"--device", "127.0.0.9", "unit", "call", "2", "3"}, "unexpected argument 3"},
      {{"--device", "x", "status"}, "--device: 'x' is not a dotted-quad address"},
      {{"--device", "--json", "status"}, "--device: missing IP before --json"},
      {{"--device"}, "--device"},
      {{"--device", "127.0.0.9", "--port", "70000", "status"}, "--port: '70000' is not a number within 1..65535"},
      {{"--device", "127.0.0.9", "--local-ip", "127.0.0", "status"}, "--local-ip: '127.0.0'"},
      {{"--device", "127.0.0.9", "--timeout", "0", "status"}, "--timeout: '0' is not a number within 0.1..600"},
      {{"--device", "127.0.0.9", "monitor", "--seconds", "1e9"}, "--seconds: '1e9'"},
      {{"search", "--subnet", "127.0.0", "--hosts", "9-3"}, "--hosts: '9-3'"},
      {{"search", "--subnet", "300.0.0"}, "--subnet: '300.0.0'"},
      {{"search"}, "search needs --subnet"},
      {{"status"}, "--device IP is required"},
      {{"--device", "127.0.0.9", "group", "mute", "2", "on", "--members", "in1,bogus"}, "'bogus' is no member"},
      {{"--device", "127.0.0.9", "group", "mute", "2", "on", "--members", "in19"}, "'in19' is no member"},
      {{"--device", "127.0.0.9", "group", "mute", "2", "on", "--members", "in1", "--members", "in2"}, "--members"},
      {{"--device", "127.0.0.9", "group", "mute", "2", "maybe", "--members", "in1"}, "got maybe"},
      {{"--device", "127.0.0.9", "group", "mute", "5", "on", "--members", "in1"}, "mute group out of range: 5"},
      {{"--device", "127.0.0.9", "group", "mute", "2", "on"}, "give the members with --members"},
      {{"--device", "127.0.0.9", "group"}, "expected: group mute N on|off"},
      {{"--device", "127.0.0.9", "unit"}, "expected: unit set N slot S ENTRY, or unit call N"},
      {{"--device", "127.0.0.9", "unit", "call", "9"}, "unit out of range: 9"},
      {{"--device", "127.0.0.9", "unit", "set", "2", "place", "1", "CH03"}, "expected: unit set N slot S ENTRY"},
      {{"--device", "127.0.0.9", "set", "in.mute", "4", "maybe"}, "cannot read \"maybe\" as in.mute"},
      {{"--device", "127.0.0.9", "preset"}, "expected: preset list|save|recall|rename|delete"},
      {{"preset", "list"}, "expected: KIND"},
      {{"preset", "list", "synth"}, "unknown preset kind synth"},
      {{"preset", "list", "peq", "--from", "2"}, "unknown option --from"},
      {{"preset", "rename", "peq", "0", "VOCAL"}, "a preset ID is a number from 1, got 0"},
      {{"preset", "rename", "peq", "3", "TOOLONGNAME"}, "too long"},
      {{"preset", "delete", "geq"}, "expected: KIND ID"},
      {{"preset", "recall", "peq", "2", "--to", "1"}, "--device IP is required"},
      {{"--device", "127.0.0.9", "preset", "save", "peq", "VOCAL"}, "peq presets need --from REC"},
      {{"--device", "127.0.0.9", "preset", "recall", "geq", "2", "--to", "9"}, "--to 9 is out of range (outputs 1..8)"},
      {{"--device", "127.0.0.9", "preset", "recall", "peq", "2", "--to", "19"}, "--to: '19' is not a number within 1..18"},
      {{"--device", "127.0.0.9", "preset", "recall", "delay", "2", "--to", "1"}, "--to is not taken by delay presets"},
      {{"--device", "127.0.0.9", "eq-curve"}, "expected: eq-curve REC"},
      {{"--device", "127.0.0.9", "eq-curve", "13"}, "input out of range: 13"},
      {{"scene"}, "expected: scene list|save|recall|rename|delete|export|import|diff"},
      {{"--device", "127.0.0.9", "scene", "recall", "33"}, "scene ID must be 1..32, not 33"},
      {{"scene", "delete", "0"}, "scene ID must be 1..32, not 0"},
      {{"scene", "save", "Morning"}, "--device IP is required"},
      {{"scene", "diff", "device", "3"}, "--device IP is required"},
      {{"scene", "diff", "3", "notes.txt"}, "'notes.txt' is not device, a scene ID 1..32, a .dat or a .json file"},
      {{"scene", "diff", "3"}, "missing A and B"},
      {{"scene", "diff", "3", "4", "--language", "fr"}, "--language: 'fr' is not en or zh"},
      {{"scene", "export", "3"}, "missing FILE.json"},
      {{"scene", "rename", "3"}, "missing NAME"},
      {{"scene", "list", "--changes-only"}, "--changes-only"},
      {{"--device", "127.0.0.9", "firmware"}, "expected: firmware versions, or firmware update"},
      {{"--device", "127.0.0.9", "firmware", "update", "--digital", "a.bin"}, "needs --digital FILE and --dsp FILE"},
      {{"--device", "127.0.0.9", "firmware", "update", "--dsp", "--yes"}, "--dsp: missing FILE before --yes"},
      {{"firmware", "versions"}, "--device IP is required"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.words));
    const std::string error = ErrorOf(c.words);
    EXPECT_NE(error.find(c.names), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

TEST(CtlCommandLine, TheProgramsOptionsStandBeforeOrAfterTheCommand) {
  const CtlOptions after =
      Accepted({"status", "--json", "--device", "127.0.0.9", "--timeout", "2.5", "--port", "40000"});
  EXPECT_EQ(after.command, CtlCommand::Status);
  EXPECT_TRUE(after.json);
  EXPECT_EQ(after.deviceIp, "127.0.0.9");
  EXPECT_DOUBLE_EQ(after.timeoutS, 2.5);
  EXPECT_EQ(after.port, 40000);
  EXPECT_EQ(after.localPort, 39030);
  EXPECT_EQ(after.localIp, "0.0.0.0");

  const CtlOptions monitor = Accepted({"--device", "127.0.0.9", "monitor", "--seconds", "2"});
  EXPECT_EQ(monitor.command, CtlCommand::Monitor);
  EXPECT_DOUBLE_EQ(monitor.seconds, 2);
  EXPECT_DOUBLE_EQ(Accepted({"--device", "127.0.0.9", "monitor"}).seconds, 5);

  const CtlOptions search = Accepted({"search", "--local-ip", "127.0.0.5", "--subnet", "127.0.0", "--json"});
  EXPECT_EQ(search.command, CtlCommand::Search);
  EXPECT_DOUBLE_EQ(search.seconds, 1) << "a search listens 1 s unless told";
  EXPECT_EQ(search.firstHost, 2);
  EXPECT_EQ(search.lastHost, 254);
  EXPECT_EQ(search.localIp, "127.0.0.5");

  const CtlOptions call = Accepted({"unit", "call", "3", "--device=127.0.0.9"});
  EXPECT_EQ(call.command, CtlCommand::UnitCall);
  EXPECT_EQ(call.unit, 2);

  const CtlOptions update =
      Accepted({"firmware", "update", "--dsp", "b.bin", "--yes", "--digital", "a.bin", "--device", "127.0.0.9"});
  EXPECT_EQ(update.command, CtlCommand::FirmwareUpdate);
  EXPECT_EQ(update.digitalFile, "a.bin");
  EXPECT_EQ(update.dspFile, "b.bin");
  EXPECT_TRUE(update.yes);
  EXPECT_EQ(Accepted({"--device", "127.0.0.9", "firmware", "versions"}).command, CtlCommand::FirmwareVersions);
}

TEST(CtlCommandLine, PresetAndCurveCommandsReadTheirKindIdNameAndRecord) {
  const CtlOptions list = Accepted({"--data-dir", "/srv/orvx", "preset", "list", "gate", "--json"});
  EXPECT_EQ(list.command, CtlCommand::PresetList);
  EXPECT_EQ(list.presetKind, PresetKind::Noise);
  EXPECT_EQ(list.dataDir, "/srv/orvx");
  EXPECT_TRUE(list.deviceIp.empty()) << "the library alone needs no processor";

  const CtlOptions save = Accepted({"--device", "127.0.0.9", "preset", "save", "peq", "VOCAL", "--from", "3"});
  EXPECT_EQ(save.command, CtlCommand::PresetSave);
  EXPECT_EQ(save.presetKind, PresetKind::Peq);
  EXPECT_EQ(save.presetName, "VOCAL");
  EXPECT_EQ(save.record, 2);

  const CtlOptions recall = Accepted({"preset", "recall", "limiter", "4", "--to", "2", "--device", "127.0.0.9"});
  EXPECT_EQ(recall.command, CtlCommand::PresetRecall);
  EXPECT_EQ(recall.presetKind, PresetKind::Limiter);
  EXPECT_EQ(recall.presetId, 4);
  EXPECT_EQ(recall.record, 1);
  EXPECT_EQ(Accepted({"--device", "127.0.0.9", "preset", "recall", "reverb", "1"}).record, kReverbRecord)
      << "a reverb preset belongs to the reverb";

  const CtlOptions rename = Accepted({"preset", "rename", "compressor", "7", "讲台"});
  EXPECT_EQ(rename.command, CtlCommand::PresetRename);
  EXPECT_EQ(rename.presetId, 7);
  EXPECT_EQ(rename.presetName, "讲台");
  EXPECT_EQ(Accepted({"preset", "delete", "geq", "12"}).command, CtlCommand::PresetDelete);

  const CtlOptions curve = Accepted({"--device", "127.0.0.9", "eq-curve", "5", "--json"});
  EXPECT_EQ(curve.command, CtlCommand::EqCurve);
  EXPECT_EQ(curve.record, 4);
}

TEST(CtlCommandLine, SceneCommandsNeedTheProcessorOnlyToSaveRecallOrCompareWithIt) {
  const CtlOptions list = Accepted({"scene", "list", "--data-dir", "/tmp/orvx-scenes", "--json"});
  EXPECT_EQ(list.command, CtlCommand::Scene);
  EXPECT_EQ(list.scene, SceneAction::List);
  EXPECT_EQ(list.dataDir, "/tmp/orvx-scenes");
  EXPECT_FALSE(SceneNeedsDevice(list));

  const CtlOptions recall = Accepted({"--device", "127.0.0.9", "scene", "recall", "7", "--changes-only"});
  EXPECT_EQ(recall.scene, SceneAction::Recall);
  EXPECT_EQ(recall.sceneId, 7);
  EXPECT_TRUE(recall.changesOnly);
  EXPECT_TRUE(SceneNeedsDevice(recall));

  const CtlOptions diff = Accepted({"scene", "diff", "12", "morning.json", "--language", "zh"});
  EXPECT_EQ(diff.diffFrom, "12");
  EXPECT_EQ(diff.diffTo, "morning.json");
  EXPECT_EQ(diff.language, Language::Chinese);
  EXPECT_FALSE(SceneNeedsDevice(diff));
  EXPECT_TRUE(SceneNeedsDevice(Accepted({"--device", "127.0.0.9", "scene", "diff", "SAVE1.dat", "device"})));

  const CtlOptions rename = Accepted({"scene", "rename", "2", "会议"});
  EXPECT_EQ(rename.sceneId, 2);
  EXPECT_EQ(rename.sceneName, "会议");
}

TEST(CtlCommandLine, GroupMuteTakesTheWordsOfAnySwitch) {
  struct Case {
    const char* word;
    bool on;
  };
  for (const Case& c : {Case{"on", true},
                        {"off", false},
                        {"1", true},
                        {"0", false},
                        {"true", true},
                        {"FALSE", false},
                        {"yes", true},
                        {"开", true},
                        {"关", false}}) {
    SCOPED_TRACE(c.word);
    const CtlOptions o = Accepted({"--device", "127.0.0.9", "group", "mute", "3", c.word, "--members", "in1-2,out8"});
    EXPECT_EQ(o.command, CtlCommand::GroupMute);
    EXPECT_EQ(o.group, 2);
    EXPECT_EQ(o.groupOn, c.on);
    ASSERT_EQ(o.members.size(), 3u);
    EXPECT_TRUE(o.members[2].output);
    EXPECT_EQ(o.members[2].record, 7);
  }
}

}  // namespace
}  // namespace orvx
