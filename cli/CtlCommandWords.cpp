#include "CtlCommandWords.h"

#include "CtlParamArgs.h"
#include "core/DeviceState.h"
#include "core/TextCodec.h"
#include "core/TextParse.h"
#include "dsp/PresetCodec.h"
#include "session/PresetList.h"

#include <algorithm>
#include <limits>

namespace orvx {
namespace {

/// "in|out N PROPERTY" starting at args[i].
std::optional<std::string> ReadTarget(const std::vector<std::string>& a, std::size_t i, CtlOptions& o) {
  if (i + 2 >= a.size()) return "expected: in|out N level|mute|name";
  o.input = a[i] == "in";
  const auto n = ParseNumber<int>(a[i + 1], 1, o.input ? kWireInputs : kOutputRecords);
  if (!n) return "channel out of range: " + a[i + 1] + (o.input ? " (inputs 1..12)" : " (outputs 1..8)");
  o.number = *n;
  if (a[i + 2] == "level")
    o.property = CtlProperty::Level;
  else if (a[i + 2] == "mute")
    o.property = CtlProperty::Mute;
  else if (a[i + 2] == "name")
    o.property = CtlProperty::Name;
  else
    return "unknown property " + a[i + 2];
  return std::nullopt;
}

std::optional<std::string> CheckValue(const CtlOptions& o) {
  switch (o.property) {
    case CtlProperty::Level:
      if (!ParseNumber<int>(o.value, 0, kLevelMax)) return "level must be 0..70 (dB = level - 60)";
      break;
    case CtlProperty::Mute:
      if (!ParseNumber<int>(o.value, 0, 1)) return "mute must be 0 or 1";
      break;
    case CtlProperty::Name: {
      const std::string gbk = Utf8ToGbk(o.value);
      if (o.value.empty() || gbk.empty()) return "name must be text the processor can show";
      if (gbk.size() > static_cast<std::size_t>(kNameLimitBytes)) return "Channel name is too long.";
      break;
    }
  }
  return std::nullopt;
}

/// The older "in|out N level|mute|name" form as a value of the table, in raw units.
void AddrOfTarget(CtlOptions& o) {
  const int r = o.number - 1;
  const ParamId id = o.property == CtlProperty::Level  ? (o.input ? ParamId::InLevel : ParamId::OutLevel)
                     : o.property == CtlProperty::Mute ? (o.input ? ParamId::InMute : ParamId::OutMute)
                                                       : (o.input ? ParamId::InName : ParamId::OutName);
  o.addr = {id, r, 0};
  o.legacy = true;
  if (o.command == CtlCommand::Set) o.paramValue = std::get<ParamValue>(ParseCtlValue(o.addr, o.value, true));
}

constexpr std::pair<PresetKind, const char*> kKindWords[] = {
    {PresetKind::Delay, "delay"},          {PresetKind::Reverb, "reverb"}, {PresetKind::Compressor, "compressor"},
    {PresetKind::Noise, "gate"},           {PresetKind::Peq, "peq"},       {PresetKind::Limiter, "limiter"},
    {PresetKind::Geq, "geq"},
};

std::optional<std::string> ReadKind(const std::string& word, CtlOptions& o) {
  for (const auto& [kind, name] : kKindWords) {
    if (word == name) {
      o.presetKind = kind;
      return std::nullopt;
    }
  }
  return "unknown preset kind " + word + " (delay, reverb, compressor, gate, peq, limiter or geq)";
}

std::optional<std::string> ReadPresetId(const std::string& word, CtlOptions& o) {
  const auto id = ParseNumber<std::int64_t>(word, 1, std::numeric_limits<std::int64_t>::max());
  if (!id) return "a preset ID is a number from 1, got " + word;
  o.presetId = *id;
  return std::nullopt;
}

std::optional<std::string> ReadPresetName(const std::string& word, CtlOptions& o) {
  if (const auto refusal = PresetNameRefusal(word)) return refusal->en;
  o.presetName = word;
  return std::nullopt;
}

/// The record of --from/--to for the kind: inputs 1..18 for the input blocks, outputs 1..8 for the
/// output ones; the delay and reverb have theirs and take none.
std::optional<std::string> ReadPresetRecord(int number, const char* option, CtlOptions& o) {
  const bool own = o.presetKind == PresetKind::Delay || o.presetKind == PresetKind::Reverb;
  if (own) {
    if (number != 0) return std::string(option) + " is not taken by " + PresetKindWord(o.presetKind) + " presets";
    o.record = PresetRecordOf(o.presetKind, 0);
    return std::nullopt;
  }
  const bool output = o.presetKind == PresetKind::Limiter || o.presetKind == PresetKind::Geq;
  if (number == 0) return std::string(PresetKindWord(o.presetKind)) + " presets need " + option + " REC";
  if (PresetRecordOf(o.presetKind, number - 1) < 0)
    return std::string(option) + " " + std::to_string(number) + " is out of range" +
           (output ? " (outputs 1..8)" : " (inputs 1..18)");
  o.record = number - 1;
  return std::nullopt;
}

}  // namespace

const char* PresetKindWord(PresetKind kind) {
  for (const auto& [k, name] : kKindWords)
    if (k == kind) return name;
  return "";
}

std::optional<std::string> ReadPresetWords(CtlCommand verb, int recordNumber, CommandWords& w) {
  CtlOptions& o = w.o;
  const std::vector<std::string>& a = w.words;
  o.command = verb;
  const bool id = verb == CtlCommand::PresetRecall || verb == CtlCommand::PresetRename || verb == CtlCommand::PresetDelete;
  const bool name = verb == CtlCommand::PresetSave || verb == CtlCommand::PresetRename;
  const std::size_t needed = 1 + (id ? 1 : 0) + (name ? 1 : 0);
  if (w.at + needed > a.size())
    return std::string("expected: KIND") + (id ? " ID" : "") + (name ? " NAME" : "");
  if (auto err = ReadKind(a[w.at++], o)) return err;
  if (id)
    if (auto err = ReadPresetId(a[w.at++], o)) return err;
  if (name)
    if (auto err = ReadPresetName(a[w.at++], o)) return err;
  if (verb == CtlCommand::PresetSave) return ReadPresetRecord(recordNumber, "--from", o);
  if (verb == CtlCommand::PresetRecall) return ReadPresetRecord(recordNumber, "--to", o);
  return std::nullopt;
}

std::optional<std::string> ReadEqCurveWords(CommandWords& w) {
  const std::vector<std::string>& a = w.words;
  w.o.command = CtlCommand::EqCurve;
  if (w.at >= a.size()) return "expected: eq-curve REC";
  const auto n = ParseNumber<int>(a[w.at], 1, kWireInputs);
  if (!n) return "input out of range: " + a[w.at] + " (1..12: the processor reports the bands of these)";
  w.o.record = *n - 1;
  ++w.at;
  return std::nullopt;
}

std::optional<std::string> CommandWords::Rest() const {
  if (at < words.size()) return "unexpected argument " + words[at];
  return std::nullopt;
}

std::optional<std::string> ReadValueWords(bool set, CommandWords& w) {
  CtlOptions& o = w.o;
  const std::vector<std::string>& a = w.words;
  o.command = set ? CtlCommand::Set : CtlCommand::Get;
  if (w.at >= a.size() || (a[w.at] != "in" && a[w.at] != "out")) return ReadParamWords(a, w.at, set, o);
  if (o.raw) return "--raw belongs to the NAME form; the older form is raw already";
  if (auto err = ReadTarget(a, w.at, o)) return err;
  w.at += 3;
  if (set) {
    if (w.at >= a.size()) return "missing value";
    o.value = a[w.at++];
    if (auto err = CheckValue(o)) return err;
  }
  AddrOfTarget(o);
  return std::nullopt;
}

std::optional<std::string> ReadGroupMuteWords(CommandWords& w) {
  CtlOptions& o = w.o;
  const std::vector<std::string>& a = w.words;
  o.command = CtlCommand::GroupMute;
  if (w.at + 1 >= a.size()) return "expected: group mute N on|off --members LIST";
  const auto n = ParseNumber<int>(a[w.at], 1, kGroups);
  if (!n) return "mute group out of range: " + a[w.at] + " (1..4)";
  o.group = *n - 1;
  // The group's switch is a mute switch: it takes what every mute switch takes.
  const auto on = ParseParam({ParamId::InMute, 0, 0}, a[w.at + 1]);
  if (!on) return "expected on or off (or true/false, 1/0), got " + a[w.at + 1];
  o.groupOn = on->raw != 0;
  w.at += 2;
  if (o.members.empty())
    return "mute groups are kept by the editor, not the processor: give the members with --members";
  return std::nullopt;
}

std::optional<std::string> ReadUnitSetWords(CommandWords& w) {
  const std::vector<std::string>& a = w.words;
  if (a.size() < w.at + 4 || a[w.at + 1] != "slot") return "expected: unit set N slot S ENTRY";
  w.o.command = CtlCommand::Set;
  const std::vector<std::string> words{"unit.slot", a[w.at], a[w.at + 2], a[w.at + 3]};
  std::size_t i = 0;
  if (auto err = ReadParamWords(words, i, true, w.o)) return err;
  w.at += 4;
  return std::nullopt;
}

std::optional<std::string> ReadUnitCallWords(CommandWords& w) {
  const std::vector<std::string>& a = w.words;
  if (w.at >= a.size()) return "expected: unit call N";
  w.o.command = CtlCommand::UnitCall;
  const auto n = ParseNumber<int>(a[w.at], 1, kUnits);
  if (!n) return "unit out of range: " + a[w.at] + " (1..4)";
  w.o.unit = *n - 1;
  ++w.at;
  return std::nullopt;
}

std::optional<std::string> ReadMembers(const std::string& text, std::vector<GroupMember>& members) {
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find(',', at), text.size());
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    const bool output = word.rfind("out", 0) == 0;
    if (!output && word.rfind("in", 0) != 0)
      return "'" + word + "' is no member: in1..in18 and out1..out8, e.g. in1-12,out1-8";
    const std::string range = word.substr(output ? 3 : 2);
    const std::size_t dash = range.find('-');
    const int last = output ? kOutputRecords : kInputRecords;
    const auto from = ParseNumber<int>(range.substr(0, dash), 1, last);
    const auto to = dash == std::string::npos ? from : ParseNumber<int>(range.substr(dash + 1), 1, last);
    if (!from || !to || *to < *from) return "'" + word + "' is no member: in1..in18 and out1..out8";
    for (int n = *from; n <= *to; ++n) members.push_back({output, n - 1});
  }
  return std::nullopt;
}

namespace {

std::optional<std::string> NextWord(CommandWords& w, const char* what, std::string& into) {
  if (w.at >= w.words.size()) return std::string("missing ") + what;
  into = w.words[w.at++];
  return std::nullopt;
}

std::optional<std::string> NextSceneId(CommandWords& w) {
  std::string word;
  if (auto missing = NextWord(w, "scene ID (1..32)", word)) return missing;
  const auto id = ParseNumber<int>(word, 1, 32);
  if (!id) return "scene ID must be 1..32, not " + word;
  w.o.sceneId = *id;
  return std::nullopt;
}

/// "device", an ID 1..32, a .dat or a .json file.
std::optional<std::string> NextSource(CommandWords& w, std::string& into) {
  if (auto missing = NextWord(w, "A and B (device, a scene ID, a .dat or a .json file)", into)) return missing;
  const bool digits =
      !into.empty() && std::all_of(into.begin(), into.end(), [](char c) { return c >= '0' && c <= '9'; });
  const auto endsWith = [&](std::string_view tail) { return into.size() > tail.size() && into.ends_with(tail); };
  if (into == "device" || endsWith(".dat") || endsWith(".json")) return std::nullopt;
  if (digits && ParseNumber<int>(into, 1, 32)) return std::nullopt;
  return "'" + into + "' is not device, a scene ID 1..32, a .dat or a .json file";
}

}  // namespace

std::optional<std::string> ReadSceneWords(SceneAction action, CommandWords& w) {
  CtlOptions& o = w.o;
  o.command = CtlCommand::Scene;
  o.scene = action;
  switch (action) {
    case SceneAction::List: return std::nullopt;
    case SceneAction::Save: return NextWord(w, "NAME", o.sceneName);
    case SceneAction::Recall:
    case SceneAction::Delete: return NextSceneId(w);
    case SceneAction::Rename:
      if (auto e = NextSceneId(w)) return e;
      return NextWord(w, "NAME", o.sceneName);
    case SceneAction::Export:
      if (auto e = NextSceneId(w)) return e;
      return NextWord(w, "FILE.json", o.sceneFile);
    case SceneAction::Import: return NextWord(w, "FILE.json", o.sceneFile);
    case SceneAction::Diff:
      if (auto e = NextSource(w, o.diffFrom)) return e;
      return NextSource(w, o.diffTo);
  }
  return std::nullopt;
}

}  // namespace orvx
