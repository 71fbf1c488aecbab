#pragma once
/// The preset library on disk: one SQLite file in the data directory with a table per preset kind
/// (ID, NAME and the kind's block) and the scene list's table.
///
/// Every statement binds its values and quotes its table names ("LIMIT" is a keyword), every
/// change is one transaction, and every failure comes back as a message: nothing throws and nothing
/// is half written. One owner thread uses a library at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsp/PresetKind.h"

struct sqlite3;

namespace orvx {

/// One stored preset as its drop-down lists it.
struct PresetEntry {
  std::int64_t id = 0;
  std::string name;  ///< UTF-8, as typed
  bool operator==(const PresetEntry&) const = default;
};

/// A result, or the reason there is none.
template <typename T>
struct DbResult {
  T value{};
  std::string error;  ///< empty on success: the database's own description otherwise
  bool Ok() const { return error.empty(); }
};

class CPresetDatabase {
public:
  static constexpr const char* kFileName = "Vanta24.db";
  /// The scene list's table (ID, NAME, FILENAME): created here with the preset tables.
  static constexpr const char* kSceneTable = "DeviceDATA";

  CPresetDatabase() = default;
  ~CPresetDatabase() { Close(); }
  CPresetDatabase(const CPresetDatabase&) = delete;
  CPresetDatabase& operator=(const CPresetDatabase&) = delete;

  /// Opens the library in `directory`, creating the file and any table it lacks (all of them or
  /// none). An existing file is used as it is; one that is not a database is left untouched.
  /// Returns an error message, empty on success.
  std::string Open(const std::string& directory);
  bool IsOpen() const { return m_db != nullptr; }
  void Close();

  /// The stored presets in ascending ID order.
  DbResult<std::vector<PresetEntry>> List(PresetKind kind);
  /// Stores a block as a new preset named "SAVE" and its ID: the highest stored ID + 1, so an empty
  /// table starts at 1 and a gap left by a deletion is never filled (deleting the highest preset
  /// frees its number again). A block that is not one of the kind's is refused.
  DbResult<PresetEntry> Save(PresetKind kind, std::string_view block);
  /// Renames a preset (no preset with the ID: nothing changes).
  std::string Rename(PresetKind kind, std::int64_t id, std::string_view name);
  /// The stored block of a preset as it is on disk (check it before use); nullopt when no preset
  /// has the ID.
  DbResult<std::optional<std::string>> Load(PresetKind kind, std::int64_t id);
  /// Deletes a preset (no preset with the ID: nothing changes).
  std::string Delete(PresetKind kind, std::int64_t id);

  /// The open connection, for the library's other table (the scene list); nullptr when closed.
  sqlite3* Connection() const { return m_db; }
  /// `what` followed by the database's description of the last failure.
  std::string Error(const std::string& what) const;

private:
  /// Creates every missing table in one transaction, all of them or none; the failure, if any.
  std::string CreateTables();

  sqlite3* m_db = nullptr;
};

}  // namespace orvx
