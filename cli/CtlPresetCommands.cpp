#include "CtlPresetCommands.h"

#include "CtlCommandWords.h"
#include "CtlJson.h"
#include "dsp/PresetDatabase.h"
#include "session/DspActions.h"
#include "session/ParamReport.h"
#include "session/PresetList.h"
#include "session/PresetValues.h"
#include "core/XdgPaths.h"

#include <algorithm>
#include <filesystem>

namespace orvx {
namespace {

bool OwnRecord(PresetKind kind) { return kind == PresetKind::Delay || kind == PresetKind::Reverb; }
bool OutputKind(PresetKind kind) { return kind == PresetKind::Limiter || kind == PresetKind::Geq; }

std::string Kind(const CtlOptions& o) { return PresetKindWord(o.presetKind); }

/// "input 3", "output 2", or the effect the delay and reverb presets belong to.
std::string RecordText(const CtlOptions& o) {
  if (OwnRecord(o.presetKind)) return "the " + Kind(o);
  return (OutputKind(o.presetKind) ? "output " : "input ") + std::to_string(o.record + 1);
}

CtlJson RecordJson(const CtlOptions& o) { return OwnRecord(o.presetKind) ? CtlJson(nullptr) : CtlJson(o.record + 1); }

CtlReply Failed(const std::string& error) { return {kExitFailure, {}, error, {}}; }

/// The stored preset with the ID, or the reply that refuses the command.
std::variant<PresetEntry, CtlReply> FindPreset(CPresetDatabase& db, const CtlOptions& o) {
  auto listed = db.List(o.presetKind);
  if (!listed.Ok()) return Failed("the presets could not be read: " + listed.error);
  for (const PresetEntry& e : listed.value)
    if (e.id == o.presetId) return e;
  return CtlReply{kExitBadArguments, {}, "no " + Kind(o) + " preset has the ID " + std::to_string(o.presetId), {}};
}

/// The preset as save, rename and recall print it.
std::string EntryOut(const CtlOptions& o, const PresetEntry& e, bool withRecord) {
  if (!o.json) return PresetRowText(e) + "\n";
  CtlJson doc{{"kind", Kind(o)}, {"id", e.id}, {"name", e.name}};
  if (withRecord) doc["record"] = RecordJson(o);
  return JsonLine(doc);
}

CtlReply List(CPresetDatabase& db, const CtlOptions& o) {
  auto listed = db.List(o.presetKind);
  if (!listed.Ok()) return Failed("the presets could not be read: " + listed.error);
  std::string out;
  CtlJson presets = CtlJson::array();
  for (const PresetEntry& e : listed.value) {
    out += PresetRowText(e) + "\n";
    presets.push_back({{"id", e.id}, {"name", e.name}});
  }
  if (o.json) out = JsonLine({{"kind", Kind(o)}, {"presets", presets}});
  // An empty list says where it looked: a library in another data directory is not lost.
  std::string note;
  if (listed.value.empty()) note = "no " + Kind(o) + " presets in " + DataDirectoryPath(o.dataDir);
  return {kExitOk, out, {}, note};
}

/// True when every value of the preset the processor reports shows what was sent.
bool Shows(const CDeviceState& s, const CDeviceState& sent, const std::vector<ParamAddr>& held) {
  return std::all_of(held.begin(), held.end(), [&](const ParamAddr& a) {
    return ReportOf(a) == ReportedBy::None || ReadParam(s, a) == AfterWire(a, ReadParam(sent, a));
  });
}

}  // namespace

std::string OpenLibrary(const CtlOptions& o, CPresetDatabase& db) {
  const std::string dir = DataDirectoryPath(o.dataDir);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) return "cannot create the data directory " + dir + ": " + ec.message();
  const std::string error = db.Open(dir);
  return error.empty() ? error : "the preset library in " + dir + " cannot be opened: " + error;
}


std::optional<CtlReply> RefusePresetUnreachable(const CtlOptions& o) {
  if (o.command != CtlCommand::PresetSave && o.command != CtlCommand::PresetRecall) return std::nullopt;
  const std::vector<ParamAddr> held = PresetAddressesOf(o.presetKind, o.record);
  if (o.command == CtlCommand::PresetSave) {
    const bool reported = std::any_of(held.begin(), held.end(), [](const ParamAddr& a) { return ReportOf(a) != ReportedBy::None; });
    if (reported) return std::nullopt;
    return CtlReply{kExitStateOnly, {},
                    "the processor reports none of the " + Kind(o) + " values of " + RecordText(o) +
                        ": a preset saved from it would hold the editor's own; nothing was saved",
                    {}};
  }
  const bool carried = std::any_of(held.begin(), held.end(), [](const ParamAddr& a) { return !CommandsFor(a).empty(); });
  if (carried) return std::nullopt;
  return CtlReply{kExitStateOnly, {},
                  "the " + Kind(o) + " values of " + RecordText(o) +
                      " are kept in the editor only: no command carries them to the processor; nothing was sent",
                  {}};
}

CtlReply RunPresetLibrary(const CtlOptions& o) {
  CPresetDatabase db;
  if (const std::string error = OpenLibrary(o, db); !error.empty()) return Failed(error);
  if (o.command == CtlCommand::PresetList) return List(db, o);
  auto found = FindPreset(db, o);
  if (auto* refusal = std::get_if<CtlReply>(&found)) return *refusal;
  PresetEntry entry = std::get<PresetEntry>(found);
  if (o.command == CtlCommand::PresetRename) {
    if (const std::string error = db.Rename(o.presetKind, entry.id, o.presetName); !error.empty())
      return Failed("the preset was not renamed: " + error);
    entry.name = o.presetName;
    return {kExitOk, EntryOut(o, entry, false), {}, {}};
  }
  if (const std::string error = db.Delete(o.presetKind, entry.id); !error.empty())
    return Failed("the preset was not deleted: " + error);
  const std::string out = o.json ? JsonLine({{"kind", Kind(o)}, {"id", entry.id}, {"deleted", entry.name}})
                                 : "deleted " + PresetRowText(entry) + "\n";
  return {kExitOk, out, {}, {}};
}

CtlReply RunPresetSave(CCtlClient& client, const CtlOptions& o) {
  CPresetDatabase db;
  if (const std::string error = OpenLibrary(o, db); !error.empty()) return Failed(error);
  auto saved = db.Save(o.presetKind, PresetBlockOf(o.presetKind, client.State(), o.record));
  if (!saved.Ok()) return Failed("the preset was not saved: " + saved.error);
  PresetEntry entry = saved.value;
  if (const std::string error = db.Rename(o.presetKind, entry.id, o.presetName); !error.empty())
    return Failed("stored as " + PresetRowText(entry) + ", but not named " + o.presetName + ": " + error);
  entry.name = o.presetName;
  return {kExitOk, EntryOut(o, entry, true), {}, {}};
}

CtlReply RunPresetRecall(CCtlClient& client, const CtlOptions& o) {
  CPresetDatabase db;
  if (const std::string error = OpenLibrary(o, db); !error.empty()) return Failed(error);
  auto found = FindPreset(db, o);
  if (auto* refusal = std::get_if<CtlReply>(&found)) return *refusal;
  const PresetEntry entry = std::get<PresetEntry>(found);

  CDeviceState& s = client.State();
  auto first = PresetRecallChange(db, o.presetKind, entry.id, s, o.record);
  if (const auto* message = std::get_if<BilingualText>(&first)) return Failed(message->en);
  // What the processor is to show: the state with the preset's values in it.
  CDeviceState sent = s;
  for (const ParamWrite& w : std::get<ChangeRequest>(first).writes) WriteParam(sent, w.addr, w.value);

  auto plan = [&] {  // the writes and frames the editor's recall makes
    PlanRequest request;
    auto change = PresetRecallChange(db, o.presetKind, entry.id, s, o.record);
    if (auto* recalled = std::get_if<ChangeRequest>(&change)) {
      DspAction action = PresetRecall(o.presetKind, std::move(recalled->writes), o.record);
      request.change.writes = std::move(action.writes);
      request.steps = std::move(action.steps);
    }
    request.change.origin = ChangeOrigin::Script;
    return request;
  };
  const std::vector<ParamAddr> held = PresetAddressesOf(o.presetKind, o.record);
  if (!SendPlanUntilShown(client, plan, [&] { return Shows(s, sent, held); }))
    return {kExitNoAnswer, {}, "the processor did not take the preset", {}};
  if (o.json) return {kExitOk, EntryOut(o, entry, true), {}, {}};
  return {kExitOk, "recalled " + PresetRowText(entry) + " into " + RecordText(o) + "\n", {}, {}};
}

}  // namespace orvx
