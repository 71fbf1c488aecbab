#include "CtlSceneCommands.h"
#include "CtlPresetCommands.h"

#include <filesystem>

#include "CtlJson.h"
#include "core/AtomicFile.h"
#include "core/NumberText.h"
#include "core/XdgPaths.h"
#include "core/StateImage.h"
#include "device/SceneRecall.h"
#include "session/SceneController.h"
#include "session/SceneJson.h"

namespace orvx {
namespace {


/// How long a recall's push may take beyond its own pauses before orvxctl stops waiting.
constexpr int kPushMarginMs = 10'000;

CtlReply Failure(const std::string& error, int code = kExitFailure) {
  CtlReply r;
  r.code = code;
  r.error = error;
  return r;
}

CtlReply Printed(const std::string& text, const CtlJson& doc, bool json) {
  CtlReply r;
  r.out = json ? JsonLine(doc) : text + "\n";
  return r;
}

std::string SceneTitle(const SceneRow& row) { return "scene " + std::to_string(row.id) + " \"" + row.name + "\""; }

/// One side of a diff: a state, what it is called, why there is none.
struct DiffSide {
  CDeviceState state;
  std::string title;
  std::string error;
  int clamped = 0;
};

class CSceneRun {
public:
  CSceneRun(const CtlOptions& o, CCtlClient* client) : m_o(o), m_client(client) {}

  CtlReply Run() {
    if (const std::string error = OpenLibrary(m_o, m_db); !error.empty()) return Failure(error);
    CSceneStore store(m_db, DataDirectoryPath(m_o.dataDir));
    m_store = &store;
    switch (m_o.scene) {
      case SceneAction::List: return List();
      case SceneAction::Save: return Save();
      case SceneAction::Recall: return Recall();
      case SceneAction::Rename: return Rename();
      case SceneAction::Delete: return Delete();
      case SceneAction::Export: return Export();
      case SceneAction::Import: return Import();
      case SceneAction::Diff: return Diff();
    }
    return Failure("unknown scene command", kExitBadArguments);
  }

private:
  CtlReply List() {
    const auto listed = m_store->List();
    if (!listed.Ok()) return Failure(listed.error);
    std::string text;
    CtlJson rows = CtlJson::array();
    for (const SceneRow& row : listed.value) {
      text += std::to_string(row.id) + "  " + row.name + "  " + row.fileName + "\n";
      rows.push_back({{"id", row.id}, {"name", row.name}, {"file", row.fileName}});
    }
    CtlReply r;
    r.out = m_o.json ? JsonLine(rows) : text;
    // An empty list says where it looked: scenes in another data directory are not lost.
    if (listed.value.empty()) r.note = "no scenes in " + m_store->DataDirectory().string();
    return r;
  }

  CtlReply Save() {
    CSceneController scenes(m_client->Session(), m_store);
    if (const BilingualText refused = scenes.Save(m_o.sceneName); !refused.Empty()) return Failure(refused.en);
    const SceneRow& row = scenes.Saved();
    return Printed("saved " + SceneTitle(row) + " as " + row.fileName,
                   {{"id", row.id}, {"name", row.name}, {"file", row.fileName}}, m_o.json);
  }

  CtlReply Recall() {
    CSceneController scenes(m_client->Session(), m_store);
    auto prepared = scenes.PrepareRecall(m_o.sceneId);
    if (const auto* refused = std::get_if<BilingualText>(&prepared)) return Failure(refused->en);
    const RecallPreview& preview = std::get<RecallPreview>(prepared);
    if (const BilingualText refused = scenes.Recall(preview, m_o.changesOnly); !refused.Empty())
      return Failure(refused.en);
    const int budgetMs =
        PlanPauseMs(SceneRecallPlan(m_client->State(), m_client->Session().Renderer())) + kPushMarginMs;
    if (!m_client->Pump(budgetMs, [&] { return !scenes.RecallRunning(); }))
      return Failure("the push did not finish in time", kExitNoAnswer);
    CtlReply r;
    const int sent = scenes.RecallProgress().sent;
    if (preview.loaded.clamped > 0) r.note = Numbered(captions::kSceneValuesClamped.en, preview.loaded.clamped);
    const std::string text = "recalled " + SceneTitle(preview.scene) + ": " + std::to_string(preview.changes.size()) +
                             " values changed, " + std::to_string(sent) + " datagrams sent" +
                             (m_o.changesOnly ? " (the changes only)" : "");
    r.out = m_o.json ? JsonLine({{"id", preview.scene.id},
                                 {"name", preview.scene.name},
                                 {"changes", preview.changes.size()},
                                 {"clamped", preview.loaded.clamped},
                                 {"datagrams", sent},
                                 {"changesOnly", m_o.changesOnly}})
                     : text + "\n";
    return r;
  }

  CtlReply Rename() {
    if (const BilingualText refused = CheckSceneName(m_o.sceneName); !refused.Empty())
      return Failure(refused.en, kExitBadArguments);
    if (const std::string error = m_store->Rename(m_o.sceneId, m_o.sceneName); !error.empty()) return Failure(error);
    return Printed("renamed scene " + std::to_string(m_o.sceneId) + " to \"" + m_o.sceneName + "\"",
                   {{"id", m_o.sceneId}, {"name", m_o.sceneName}}, m_o.json);
  }

  CtlReply Delete() {
    const SceneDeleted deleted = m_store->Delete(m_o.sceneId);
    if (!deleted.Ok()) return Failure(deleted.error);
    std::string text = "deleted scene " + std::to_string(m_o.sceneId);
    if (!deleted.trashed.empty()) text += "; its file is in the trash: " + deleted.trashed.string();
    CtlReply r = Printed(text, {{"id", m_o.sceneId}, {"trashed", deleted.trashed.string()}}, m_o.json);
    r.note = deleted.note;
    return r;
  }

  CtlReply Export() {
    const auto found = m_store->Find(m_o.sceneId);
    if (!found.Ok()) return Failure(found.error);
    if (!found.value) return Failure("There is no scene " + std::to_string(m_o.sceneId));
    const SceneImage image = ReadSceneFile(found.value->fileName);
    if (!image.Ok()) return Failure(image.error);
    const std::string doc = SceneImageToJson(image.bytes, found.value->name, found.value->id);
    if (!WriteFileAtomically(m_o.sceneFile, doc)) return Failure("Cannot write " + m_o.sceneFile);
    return Printed("exported " + SceneTitle(*found.value) + " to " + m_o.sceneFile,
                   {{"id", found.value->id}, {"file", m_o.sceneFile}}, m_o.json);
  }

  CtlReply Import() {
    const auto text = ReadWholeFile(m_o.sceneFile);
    if (!text) return Failure("Cannot read " + m_o.sceneFile);
    const SceneFromJson doc = SceneImageFromJson(*text);
    if (!doc.Ok()) return Failure(m_o.sceneFile + ": " + doc.error);
    const SceneSaved saved = m_store->SaveImage(doc.image, doc.name);
    if (saved.full) return Failure(captions::kScenesFull.en);
    if (!saved.Ok()) return Failure(saved.error);
    return Printed("imported " + m_o.sceneFile + " as " + SceneTitle(saved.row),
                   {{"id", saved.row.id}, {"name", saved.row.name}, {"file", saved.row.fileName}}, m_o.json);
  }

  /// The state a scene image becomes when recalled here: over the processor's when connected, else
  /// over the start-up values.
  DiffSide Loaded(std::span<const std::uint8_t> image, std::string title) {
    DiffSide side;
    side.title = std::move(title);
    CDeviceState base;
    base.ResetToDefaults();
    const auto loaded = LoadSceneImage(image, m_client ? m_client->State() : base);
    if (!loaded) return {{}, {}, side.title + " is not a scene", 0};
    side.state = loaded->state;
    side.clamped = loaded->clamped;
    return side;
  }

  DiffSide Side(const std::string& word) {
    if (word == "device") return {m_client->State(), "device " + m_o.deviceIp, {}, 0};
    if (word.ends_with(".json")) {
      const auto text = ReadWholeFile(word);
      if (!text) return {{}, {}, "Cannot read " + word, 0};
      const SceneFromJson doc = SceneImageFromJson(*text);
      if (!doc.Ok()) return {{}, {}, word + ": " + doc.error, 0};
      return Loaded(doc.image, word);
    }
    if (word.ends_with(".dat")) {
      const SceneImage image = ReadSceneFile(word);
      if (!image.Ok()) return {{}, {}, image.error, 0};
      return Loaded(image.bytes, word);
    }
    const std::int64_t id = std::stoll(word);
    const auto found = m_store->Find(id);
    if (!found.Ok()) return {{}, {}, found.error, 0};
    if (!found.value) return {{}, {}, "There is no scene " + word, 0};
    const SceneImage image = ReadSceneFile(found.value->fileName);
    if (!image.Ok()) return {{}, {}, image.error, 0};
    return Loaded(image.bytes, SceneTitle(*found.value));
  }

  CtlReply Diff() {
    const DiffSide from = Side(m_o.diffFrom);
    if (!from.error.empty()) return Failure(from.error);
    const DiffSide to = Side(m_o.diffTo);
    if (!to.error.empty()) return Failure(to.error);
    // The processor shows only what its reports carry; the rest of its state would be a guess.
    const bool device = m_o.diffFrom == "device" || m_o.diffTo == "device";
    const auto diffs = DiffStates(from.state, to.state, device ? DiffReach::Reported : DiffReach::Everything);
    CtlReply r;
    for (const DiffSide* side : {&from, &to}) {
      if (side->clamped > 0)
        r.note += side->title + ": " + Numbered(captions::kSceneValuesClamped.en, side->clamped) + " ";
    }
    if (!m_o.json) {
      r.out = FormatDiff(diffs, from.state, from.title, to.title, m_o.language);
      return r;
    }
    CtlJson list = CtlJson::array();
    const std::vector<DiffRow> rows = DiffRows(diffs, from.state, m_o.language);
    for (std::size_t i = 0; i < diffs.size(); ++i) {
      const ParamDef& d = Param(diffs[i].addr.id);
      CtlJson item = {
          {"page", rows[i].page}, {"channel", rows[i].channel}, {"parameter", rows[i].parameter}, {"param", d.name}};
      if (d.scope != ParamScope::Device) item["record"] = diffs[i].addr.record + 1;
      if (d.indices > 0) item["index"] = diffs[i].addr.index + 1;
      item["from"] = rows[i].from;
      item["to"] = rows[i].to;
      if (d.display.kind != DisplayKind::Text) {
        item["fromRaw"] = diffs[i].from.raw;
        item["toRaw"] = diffs[i].to.raw;
      }
      list.push_back(std::move(item));
    }
    r.out = JsonLine({{"from", from.title}, {"to", to.title}, {"count", diffs.size()}, {"differences", list}});
    return r;
  }

  const CtlOptions& m_o;
  CCtlClient* m_client;
  CPresetDatabase m_db;
  CSceneStore* m_store = nullptr;
};

}  // namespace

CtlReply RunScene(const CtlOptions& o, CCtlClient* client) { return CSceneRun(o, client).Run(); }

}  // namespace orvx
