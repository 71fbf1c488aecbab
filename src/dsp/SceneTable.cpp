#include "dsp/SceneTable.h"

#include "dsp/SqliteStatement.h"

namespace orvx {
namespace {

const std::string kTable = Quoted(CPresetDatabase::kSceneTable);
/// Only rows numbered 1..32 are scenes.
const std::string kInRange =
    " \"ID\" BETWEEN " + std::to_string(kFirstSceneId) + " AND " + std::to_string(kLastSceneId);

SceneRow RowOf(CStatement& s) { return {s.Int(0), s.Text(1), s.Text(2)}; }

bool IsSceneId(std::int64_t id) { return id >= kFirstSceneId && id <= kLastSceneId; }

}  // namespace

std::string DefaultSceneName(std::int64_t id) { return "SAVE" + std::to_string(id); }

DbResult<std::vector<SceneRow>> CSceneTable::List() {
  const std::string what = "Cannot read the scene list";
  sqlite3* db = m_database.Connection();
  if (db == nullptr) return {{}, m_database.Error(what)};
  CStatement list(db,
                  "SELECT \"ID\", \"NAME\", \"FILENAME\" FROM " + kTable + " WHERE" + kInRange + " ORDER BY \"ID\"");
  if (!list.Prepared()) return {{}, m_database.Error(what)};
  DbResult<std::vector<SceneRow>> result;
  int rc;
  while ((rc = list.Step()) == SQLITE_ROW) result.value.push_back(RowOf(list));
  if (rc != SQLITE_DONE) return {{}, m_database.Error(what)};
  return result;
}

DbResult<std::optional<SceneRow>> CSceneTable::Find(std::int64_t id) {
  const std::string what = "Cannot read scene " + std::to_string(id);
  sqlite3* db = m_database.Connection();
  if (db == nullptr) return {{}, m_database.Error(what)};
  if (!IsSceneId(id)) return {};
  CStatement find(db, "SELECT \"ID\", \"NAME\", \"FILENAME\" FROM " + kTable + " WHERE \"ID\" = ?1");
  if (!find.Prepared() || !find.Bind(1, id)) return {{}, m_database.Error(what)};
  const int rc = find.Step();
  if (rc == SQLITE_DONE) return {};
  if (rc != SQLITE_ROW) return {{}, m_database.Error(what)};
  return {RowOf(find), {}};
}

DbResult<std::optional<SceneRow>> CSceneTable::Add(std::string_view name,
                                                   const std::function<std::string(std::int64_t)>& fileFor,
                                                   const std::function<std::string(const SceneRow&)>& place) {
  const std::string what = "Cannot save the scene";
  sqlite3* db = m_database.Connection();
  if (db == nullptr) return {{}, m_database.Error(what)};
  CTransaction transaction(db);
  if (!transaction.Begun()) return {{}, m_database.Error(what)};
  // The highest number and the insert in one transaction: another program cannot take the number.
  std::int64_t top = 0;
  {
    CStatement highest(db, "SELECT MAX(\"ID\") FROM " + kTable + " WHERE" + kInRange);
    if (!highest.Prepared() || highest.Step() != SQLITE_ROW) return {{}, m_database.Error(what)};
    if (!highest.IsNull(0)) top = highest.Int(0);
  }
  if (top >= kLastSceneId) return {};
  SceneRow row{top + 1, name.empty() ? DefaultSceneName(top + 1) : std::string(name), {}};
  row.fileName = fileFor(row.id);
  CStatement insert(db, "INSERT INTO " + kTable + " (\"ID\", \"NAME\", \"FILENAME\") VALUES (?1, ?2, ?3)");
  const bool stored = insert.Prepared() && insert.Bind(1, row.id) && insert.Bind(2, row.name) &&
                      insert.Bind(3, row.fileName) && insert.Step() == SQLITE_DONE;
  if (!stored) return {{}, m_database.Error(what)};
  if (std::string placed = place(row); !placed.empty()) return {{}, what + ": " + placed};
  if (!transaction.Commit()) return {{}, m_database.Error(what)};
  return {row, {}};
}

std::string CSceneTable::Rename(std::int64_t id, std::string_view name) {
  const std::string what = "Cannot rename scene " + std::to_string(id);
  sqlite3* db = m_database.Connection();
  if (db == nullptr) return m_database.Error(what);
  if (!IsSceneId(id)) return what + ": there is no such scene";
  CStatement rename(db, "UPDATE " + kTable + " SET \"NAME\" = ?1 WHERE \"ID\" = ?2");
  if (!rename.Prepared() || !rename.Bind(1, name) || !rename.Bind(2, id) || rename.Step() != SQLITE_DONE)
    return m_database.Error(what);
  return sqlite3_changes(db) == 1 ? std::string() : what + ": there is no such scene";
}

std::string CSceneTable::Delete(std::int64_t id) {
  const std::string what = "Cannot delete scene " + std::to_string(id);
  sqlite3* db = m_database.Connection();
  if (db == nullptr) return m_database.Error(what);
  if (!IsSceneId(id)) return what + ": there is no such scene";
  CStatement remove(db, "DELETE FROM " + kTable + " WHERE \"ID\" = ?1");
  if (!remove.Prepared() || !remove.Bind(1, id) || remove.Step() != SQLITE_DONE) return m_database.Error(what);
  return sqlite3_changes(db) == 1 ? std::string() : what + ": there is no such scene";
}

}  // namespace orvx
