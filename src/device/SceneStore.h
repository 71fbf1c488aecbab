#pragma once
/// The scene store: whole-device snapshots kept on the PC, each a fixed-layout file SAVE<n>.dat in
/// the data directory and a row of the scene list (numbers 1 to 32) in the preset library.
///
/// A save writes a temporary file first, then adds the row and renames the file into place inside
/// the row's transaction: any failure leaves neither a row without its file nor a file without its
/// row. A deleted scene's file goes to the desktop trash. Nothing here touches the device state:
/// reading gives the file's bytes, checked whole, for the session to load.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "device/UpdateBackup.h"
#include "dsp/SceneTable.h"

namespace orvx {

namespace captions {
inline constexpr Caption kScenesFull{
    "Scene 32 is taken. A new scene is numbered after the highest one: delete scene 32 to save another.",
    "场景32已被占用。新场景的编号在最高编号之后：请先删除场景32再保存。"};
}  // namespace captions

/// "SAVE3.dat": the file of scene 3.
std::string SceneFileName(std::int64_t id);
/// True for a file name the store writes ("SAVE" and a number, ".dat").
bool IsSceneFileName(std::string_view name);

/// A scene file's bytes, or why there are none.
struct SceneImage {
  std::vector<std::uint8_t> bytes;
  std::string error;  ///< the reason, naming the file: it cannot be opened or read whole, or has the wrong size
  bool Ok() const { return error.empty(); }
};

/// Reads a scene file: exactly the scene size, read whole, or refused with a message.
SceneImage ReadSceneFile(const std::filesystem::path& path);

struct SceneSaved {
  SceneRow row;       ///< the new scene (id 0 when none was saved)
  bool full = false;  ///< 32 is taken: nothing saved (captions::kScenesFull says why)
  std::string error;  ///< a file or database failure: nothing saved
  bool Ok() const { return row.id != 0; }
};

struct SceneDeleted {
  std::string error;  ///< nothing changed
  std::string note;   ///< the row went, but its file stayed where it was (and why)
  std::filesystem::path trashed;
  bool Ok() const { return error.empty(); }
};

class CSceneStore {
public:
  /// The store of the data directory `dataDir`, listing its scenes in `database` (open).
  CSceneStore(CPresetDatabase& database, const std::filesystem::path& dataDir);

  const std::filesystem::path& DataDirectory() const { return m_dir; }

  DbResult<std::vector<SceneRow>> List() { return m_table.List(); }
  DbResult<std::optional<SceneRow>> Find(std::int64_t id) { return m_table.Find(id); }

  /// Stores the state as a new scene, numbered after the highest; `name` empty: "SAVE" and the number.
  SceneSaved Save(const CDeviceState& state, std::string_view name = {});
  /// Stores a complete scene image (an imported one) as a new scene. The wrong size is refused.
  SceneSaved SaveImage(std::span<const std::uint8_t> image, std::string_view name);
  /// The backup before a firmware update: the state as a new scene named with the date and time
  /// ("BACKUP 2024-06-12 14:30"). `full` when no number is free.
  SceneSaved SaveBackup(const CDeviceState& state, const std::tm& localTime);

  std::string Rename(std::int64_t id, std::string_view name) { return m_table.Rename(id, name); }
  /// The scene's file, checked whole.
  SceneImage Read(std::int64_t id);
  /// Removes the scene: its file (only a SAVE<n>.dat of this data directory) to the desktop trash,
  /// then its row. A file that cannot go to the trash stops the delete.
  SceneDeleted Delete(std::int64_t id);

private:
  /// True when the stored path names a scene file directly inside this data directory.
  bool OwnsFile(const std::filesystem::path& file) const;

  CSceneTable m_table;
  std::filesystem::path m_dir;
};

/// The firmware update's backup step on `store`: `state` as it stands when the step runs, as a new
/// scene under the name the update gives. Both must outlive the returned call.
SaveBackupFn BackupInto(CSceneStore& store, const CDeviceState& state);

}  // namespace orvx
