#pragma once
/// Before any firmware update the current settings are kept as a scene named with the date and
/// time. The scene store provides the call; the update only needs to know how it went.

#include <ctime>
#include <functional>
#include <string>

namespace orvx {

enum class BackupStatus {
  Saved,     ///< the scene was written
  NoFreeId,  ///< every scene ID is taken
  Failed,    ///< it could not be written
};

struct BackupResult {
  BackupStatus status = BackupStatus::Failed;
  int id = 0;          ///< the scene ID used, when saved
  std::string name;    ///< the scene's name, when saved
  std::string detail;  ///< why not, for the operator
};

/// Saves the current settings as a scene called `name`.
using SaveBackupFn = std::function<BackupResult(const std::string& name)>;

/// "BACKUP 2024-06-12 14:30": the backup scene's name from the local time.
std::string BackupSceneName(const std::tm& localTime);

}  // namespace orvx
