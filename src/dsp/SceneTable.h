#pragma once
/// The scene list in the preset library: table DeviceDATA (ID, NAME, FILENAME), numbers 1 to 32.
///
/// A row numbered outside 1..32 (written by another program, or by hand) is not a scene: it is
/// never listed, found, renamed, deleted or counted when the next number is chosen. Every change
/// is one transaction with bound values, like the preset tables.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsp/PresetDatabase.h"

namespace orvx {

constexpr std::int64_t kFirstSceneId = 1;
constexpr std::int64_t kLastSceneId = 32;

struct SceneRow {
  std::int64_t id = 0;
  std::string name;      ///< UTF-8, as typed
  std::string fileName;  ///< the scene file's full path, as stored when it was saved
  bool operator==(const SceneRow&) const = default;
};

/// "SAVE" and the number: the name of a new scene.
std::string DefaultSceneName(std::int64_t id);

class CSceneTable {
public:
  explicit CSceneTable(CPresetDatabase& database) : m_database(database) {}

  /// The scenes in ascending ID order.
  DbResult<std::vector<SceneRow>> List();
  /// The scene numbered `id`; nullopt when there is none (or the number is outside 1..32).
  DbResult<std::optional<SceneRow>> Find(std::int64_t id);
  /// A new row numbered one above the highest scene (1 for none). `name` empty: DefaultSceneName.
  /// `fileFor` gives the file path stored for the number; `place` runs inside the transaction once
  /// the row is in, and its error (non-empty) undoes the row. Nullopt without an error: 32 is taken.
  DbResult<std::optional<SceneRow>> Add(std::string_view name, const std::function<std::string(std::int64_t)>& fileFor,
                                        const std::function<std::string(const SceneRow&)>& place);
  /// Renames a scene; an error when there is no scene with the number.
  std::string Rename(std::int64_t id, std::string_view name);
  /// Removes a scene's row; an error when there is none.
  std::string Delete(std::int64_t id);

private:
  CPresetDatabase& m_database;
};

}  // namespace orvx
