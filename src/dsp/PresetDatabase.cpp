#include "dsp/PresetDatabase.h"

#include <filesystem>
#include <limits>

#include "core/DeviceState.h"
#include "dsp/PresetCodec.h"
#include "dsp/SqliteStatement.h"

namespace orvx {
namespace {

/// How long a statement waits for another program holding the file (an editor on the same data
/// directory) before it fails with "database is locked".
constexpr int kBusyWaitMs = 1000;

std::string CreateStatement(const char* table, const char* dataColumn) {
  return "CREATE TABLE IF NOT EXISTS " + Quoted(table) + " (\"ID\" INTEGER PRIMARY KEY, \"NAME\" TEXT NOT NULL, " +
         Quoted(dataColumn) + " TEXT NOT NULL)";
}

/// Whether a block is one the kind can read back.
bool IsWellFormed(PresetKind kind, std::string_view block) {
  static const CDeviceState kScratch;
  CDeviceState scratch = kScratch;
  return DecodePreset(kind, block, scratch, 0);
}

}  // namespace

std::string CPresetDatabase::Error(const std::string& what) const {
  return what + ": " + (m_db != nullptr ? sqlite3_errmsg(m_db) : "the preset library is not open");
}

std::string CPresetDatabase::CreateTables() {
  // Each failure is described before the transaction rolls back (which clears the description).
  CTransaction transaction(m_db);
  if (!transaction.Begun()) return sqlite3_errmsg(m_db);
  auto create = [&](const char* table, const char* dataColumn) {
    return sqlite3_exec(m_db, CreateStatement(table, dataColumn).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  };
  for (PresetKind kind : kPresetKinds) {
    if (!create(TableOf(kind).table, TableOf(kind).dataColumn)) return sqlite3_errmsg(m_db);
  }
  if (!create(kSceneTable, "FILENAME") || !transaction.Commit()) return sqlite3_errmsg(m_db);
  return {};
}

std::string CPresetDatabase::Open(const std::string& directory) {
  Close();
  const std::string path = (std::filesystem::path(directory) / kFileName).string();
  std::string error;
  if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(m_db, kBusyWaitMs);
    error = CreateTables();
    if (error.empty()) return {};
  } else {
    error = m_db != nullptr ? sqlite3_errmsg(m_db) : "out of memory";
  }
  Close();
  return "Cannot open " + path + ": " + error;
}

void CPresetDatabase::Close() {
  sqlite3_close(m_db);  // every statement is finalised by now
  m_db = nullptr;
}

DbResult<std::vector<PresetEntry>> CPresetDatabase::List(PresetKind kind) {
  DbResult<std::vector<PresetEntry>> result;
  const std::string what = std::string("Cannot read ") + TableOf(kind).table;
  if (m_db == nullptr) return {{}, Error(what)};
  CStatement list(m_db, "SELECT \"ID\", \"NAME\" FROM " + Quoted(TableOf(kind).table) + " ORDER BY \"ID\"");
  if (!list.Prepared()) return {{}, Error(what)};
  int rc;
  while ((rc = list.Step()) == SQLITE_ROW) result.value.push_back({list.Int(0), list.Text(1)});
  if (rc != SQLITE_DONE) return {{}, Error(what)};
  return result;
}

DbResult<PresetEntry> CPresetDatabase::Save(PresetKind kind, std::string_view block) {
  const PresetTable& t = TableOf(kind);
  const std::string what = std::string("Cannot save into ") + t.table;
  if (!IsWellFormed(kind, block)) return {{}, what + ": the values do not form a block of this table"};
  if (m_db == nullptr) return {{}, Error(what)};
  CTransaction transaction(m_db);
  if (!transaction.Begun()) return {{}, Error(what)};
  // The highest number and the insert in one transaction: another program cannot take the number.
  std::int64_t top = 0;
  {
    CStatement highest(m_db, "SELECT MAX(\"ID\") FROM " + Quoted(t.table));
    if (!highest.Prepared() || highest.Step() != SQLITE_ROW) return {{}, Error(what)};
    if (!highest.IsNull(0)) top = highest.Int(0);
  }
  if (top == std::numeric_limits<std::int64_t>::max()) return {{}, what + ": no preset number is left"};
  const PresetEntry entry{top + 1, "SAVE" + std::to_string(top + 1)};
  CStatement insert(m_db, "INSERT INTO " + Quoted(t.table) + " (\"ID\", \"NAME\", " + Quoted(t.dataColumn) +
                              ") VALUES (?1, ?2, ?3)");
  const bool stored = insert.Prepared() && insert.Bind(1, entry.id) && insert.Bind(2, entry.name) &&
                      insert.Bind(3, block) && insert.Step() == SQLITE_DONE;
  if (!stored || !transaction.Commit()) return {{}, Error(what)};
  return {entry, {}};
}

std::string CPresetDatabase::Rename(PresetKind kind, std::int64_t id, std::string_view name) {
  const std::string what = std::string("Cannot rename in ") + TableOf(kind).table;
  if (m_db == nullptr) return Error(what);
  CStatement rename(m_db, "UPDATE " + Quoted(TableOf(kind).table) + " SET \"NAME\" = ?1 WHERE \"ID\" = ?2");
  const bool done = rename.Prepared() && rename.Bind(1, name) && rename.Bind(2, id) && rename.Step() == SQLITE_DONE;
  return done ? std::string() : Error(what);
}

DbResult<std::optional<std::string>> CPresetDatabase::Load(PresetKind kind, std::int64_t id) {
  const PresetTable& t = TableOf(kind);
  const std::string what = std::string("Cannot read ") + t.table;
  if (m_db == nullptr) return {{}, Error(what)};
  CStatement load(m_db, "SELECT " + Quoted(t.dataColumn) + " FROM " + Quoted(t.table) + " WHERE \"ID\" = ?1");
  if (!load.Prepared() || !load.Bind(1, id)) return {{}, Error(what)};
  const int rc = load.Step();
  if (rc == SQLITE_DONE) return {};
  if (rc != SQLITE_ROW) return {{}, Error(what)};
  return {load.Text(0), {}};
}

std::string CPresetDatabase::Delete(PresetKind kind, std::int64_t id) {
  const std::string what = std::string("Cannot delete from ") + TableOf(kind).table;
  if (m_db == nullptr) return Error(what);
  CStatement remove(m_db, "DELETE FROM " + Quoted(TableOf(kind).table) + " WHERE \"ID\" = ?1");
  const bool done = remove.Prepared() && remove.Bind(1, id) && remove.Step() == SQLITE_DONE;
  return done ? std::string() : Error(what);
}

}  // namespace orvx
