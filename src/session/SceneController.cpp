#include "session/SceneController.h"

#include <algorithm>

#include "device/SceneRecall.h"
#include "session/ChangedFrames.h"
#include "session/TypedValue.h"

namespace orvx {
namespace {

/// A scene's name follows the rule of a channel's name.
constexpr ParamAddr kNameRule{ParamId::InName, 0, 0};

BilingualText NoStore() { return BilingualText::Of(captions::kNoSceneStore); }

}  // namespace

BilingualText CheckSceneName(std::string_view utf8Name) {
  const TypedResult checked = ParseTypedValue(kNameRule, utf8Name);
  if (const auto* refusal = std::get_if<TypedRefusal>(&checked)) return {refusal->en, refusal->zh};
  return {};
}

BilingualText CSceneController::Refresh() {
  m_scenes.clear();
  if (!m_store) return NoStore();
  auto listed = m_store->List();
  if (!listed.Ok()) return BilingualText::Same(listed.error);
  m_scenes = std::move(listed.value);
  if (m_scenes.size() > static_cast<std::size_t>(kSceneKeys)) m_scenes.resize(kSceneKeys);
  return {};
}

std::string CSceneController::KeyCaption(int key) const {
  if (key < 0 || key >= static_cast<int>(m_scenes.size())) return {};
  const SceneRow& row = m_scenes[static_cast<std::size_t>(key)];
  return std::to_string(row.id) + ":" + row.name;
}

std::int64_t CSceneController::SceneOnKey(int key) const {
  if (key < 0 || key >= static_cast<int>(m_scenes.size())) return 0;
  return m_scenes[static_cast<std::size_t>(key)].id;
}

BilingualText CSceneController::Save(std::string_view utf8Name) {
  if (!m_store) return NoStore();
  if (!utf8Name.empty()) {
    if (BilingualText refused = CheckSceneName(utf8Name); !refused.Empty()) return refused;
  }
  const SceneSaved saved = m_store->Save(m_session.State(), utf8Name);
  Refresh();
  m_saved = saved.row;
  if (saved.full) return BilingualText::Of(captions::kScenesFull);
  return saved.Ok() ? BilingualText{} : BilingualText::Same(saved.error);
}

BilingualText CSceneController::Rename(std::int64_t id, std::string_view utf8Name) {
  if (!m_store) return NoStore();
  if (BilingualText refused = CheckSceneName(utf8Name); !refused.Empty()) return refused;
  const std::string error = m_store->Rename(id, utf8Name);
  Refresh();
  return error.empty() ? BilingualText{} : BilingualText::Same(error);
}

BilingualText CSceneController::Delete(std::int64_t id) {
  if (!m_store) return NoStore();
  const SceneDeleted deleted = m_store->Delete(id);
  Refresh();
  if (!deleted.Ok()) return BilingualText::Same(deleted.error);
  return deleted.note.empty() ? BilingualText{} : BilingualText::Same(deleted.note);
}

std::variant<RecallPreview, BilingualText> CSceneController::PrepareRecall(std::int64_t id) const {
  if (!m_store) return NoStore();
  const auto found = m_store->Find(id);
  if (!found.Ok()) return BilingualText::Same(found.error);
  if (!found.value) return BilingualText::Same("There is no scene " + std::to_string(id));
  const SceneImage image = ReadSceneFile(found.value->fileName);
  if (!image.Ok()) return BilingualText::Same(image.error);
  auto loaded = LoadSceneImage(image.bytes, m_session.State());
  if (!loaded) return BilingualText::Same("Scene " + std::to_string(id) + " cannot be loaded");
  RecallPreview preview{*found.value, std::move(*loaded), {}};
  preview.changes = DiffStates(m_session.State(), preview.loaded.state);
  return preview;
}

BilingualText CSceneController::Recall(const RecallPreview& preview, bool changesOnly) {
  CChangePath& path = m_session.Changes();
  if (path.Busy()) return BilingualText::Of(captions::kPlanRunning);
  CDeviceState& state = m_session.State();
  AdoptScene(state, preview.loaded.state);
  // A linked group would spread the scene's values of one member over the others.
  std::fill(std::begin(state.controlGroupOn), std::end(state.controlGroupOn), 0);
  path.StateReplaced(change::kAll);
  m_recallPlan = 0;
  if (!state.link.online) return {};
  FramePlan plan = changesOnly ? ChangedFramesPlan(preview.changes, state,
                                                   [this]() -> IGlyphRenderer& { return m_session.Glyphs(); })
                               : SceneRecallPlan(state, m_session.Glyphs());
  m_recallPlan = path.SubmitPlan(std::move(plan), true);
  return {};
}

PlanProgress CSceneController::RecallProgress() const {
  return m_recallPlan == 0 ? PlanProgress{} : m_session.Changes().ProgressOf(m_recallPlan);
}

bool CSceneController::RecallRunning() const { return m_recallPlan != 0 && !RecallProgress().Done(); }

}  // namespace orvx
