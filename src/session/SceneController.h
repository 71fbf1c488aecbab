#pragma once
/// The SHOW tab's behaviour without a window: the scene keys, SAVE, NAME, RECALL and DELETE.
///
/// RECALL comes in two steps so the operator sees what would change before anything does: the
/// scene is loaded over the current state (values moved into range, counted) and compared with it;
/// once confirmed the control groups are let go, the scene becomes the state and, while online, the
/// whole state (or only what changed) goes to the processor as one plan that holds every other
/// change back until it has gone.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/Captions.h"
#include "device/FactoryRecovery.h"
#include "device/SceneStore.h"
#include "session/SceneDiff.h"
#include "session/SceneLoad.h"
#include "session/ShellSession.h"

namespace orvx {

namespace captions {
inline constexpr Caption kSceneNameItem{"NAME", "命名"};
inline constexpr Caption kSceneRecallItem{"RECALL", "调用"};
inline constexpr Caption kSceneDeleteItem{"DELETE", "删除"};
inline constexpr Caption kNoSceneStore{"Scenes are not available: the preset library could not be opened.",
                                       "场景不可用：无法打开预设库。"};
inline constexpr Caption kEmptySceneKey{"No scene on this key.", "此按键没有场景。"};
}  // namespace captions

/// The scene keys of the SHOW tab.
constexpr int kSceneKeys = 32;

/// Why a scene's name is refused (the channel-name rule: at most 8 bytes, not empty), or nothing.
BilingualText CheckSceneName(std::string_view utf8Name);

/// A scene ready to be recalled, and what it would change.
struct RecallPreview {
  SceneRow scene;
  LoadedScene loaded;
  std::vector<ValueDifference> changes;  ///< from the current state to the scene
};

class CSceneController {
public:
  /// `store` may be null (no preset library): every operation then says so.
  CSceneController(IShellSession& session, CSceneStore* store) : m_session(session), m_store(store) {}
  void SetStore(CSceneStore* store) { m_store = store; }
  bool Available() const { return m_store != nullptr; }

  /// Re-reads the scene list (the tab shown, after every change). The failure, if any.
  BilingualText Refresh();
  const std::vector<SceneRow>& Scenes() const { return m_scenes; }
  /// Key k (0..31) shows the k-th scene in ID order, whatever its ID: "7:Morning"; empty when the
  /// key has no scene (hidden).
  std::string KeyCaption(int key) const;
  /// The ID of the scene on key k, 0 for none.
  std::int64_t SceneOnKey(int key) const;

  /// SAVE: the state as a new scene, named "SAVE" and its number, or `utf8Name` under the
  /// channel-name rule. The failure (a name refused, 32 taken, a file or database error), if any.
  BilingualText Save(std::string_view utf8Name = {});
  /// The new scene of the last successful Save.
  const SceneRow& Saved() const { return m_saved; }
  /// NAME: the channel-name rule (at most 8 bytes, not empty), then the new name.
  BilingualText Rename(std::int64_t id, std::string_view utf8Name);
  /// DELETE: the file to the desktop trash, the row removed.
  BilingualText Delete(std::int64_t id);

  /// RECALL, first step: nothing changes yet.
  std::variant<RecallPreview, BilingualText> PrepareRecall(std::int64_t id) const;
  /// RECALL, confirmed: every control group's link switched off first, the scene into the state
  /// (views told, history cleared), and while online the push: the whole state, or with
  /// `changesOnly` only the frames of the values that changed. Refused (nothing changes) while
  /// another plan runs.
  BilingualText Recall(const RecallPreview& preview, bool changesOnly = false);
  /// The push's plan id, 0 when nothing was sent (offline, or no change to send).
  std::uint32_t RecallPlan() const { return m_recallPlan; }
  PlanProgress RecallProgress() const;
  bool RecallRunning() const;

private:
  IShellSession& m_session;
  CSceneStore* m_store;
  std::vector<SceneRow> m_scenes;
  SceneRow m_saved;
  std::uint32_t m_recallPlan = 0;
};

}  // namespace orvx
