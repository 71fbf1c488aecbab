#pragma once
/// The two SQLite helpers every table of the preset library uses: a prepared statement finalised on
/// every path, and a write transaction rolled back unless committed.

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace orvx {

/// One prepared statement, finalised on every path.
class CStatement {
public:
  CStatement(sqlite3* db, const std::string& sql) {
    m_ok = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr) == SQLITE_OK;
  }
  ~CStatement() { sqlite3_finalize(m_stmt); }
  CStatement(const CStatement&) = delete;
  CStatement& operator=(const CStatement&) = delete;

  bool Prepared() const { return m_ok; }
  bool Bind(int index, std::int64_t value) { return sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK; }
  /// Text, never NULL (an empty view may have no data pointer, which would bind NULL).
  bool Bind(int index, std::string_view text) {
    const char* data = text.data() != nullptr ? text.data() : "";
    return sqlite3_bind_text(m_stmt, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
  }
  /// SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() { return sqlite3_step(m_stmt); }
  bool IsNull(int column) { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
  std::int64_t Int(int column) { return sqlite3_column_int64(m_stmt, column); }
  std::string Text(int column) {
    const auto* text = sqlite3_column_text(m_stmt, column);
    if (text == nullptr) return {};
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))};
  }

private:
  sqlite3_stmt* m_stmt = nullptr;
  bool m_ok = false;
};

/// A write transaction: rolled back unless committed, so a failure leaves nothing behind.
class CTransaction {
public:
  explicit CTransaction(sqlite3* db) : m_db(db) {
    m_open = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~CTransaction() {
    if (m_open) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  CTransaction(const CTransaction&) = delete;
  CTransaction& operator=(const CTransaction&) = delete;

  bool Begun() const { return m_open; }
  bool Commit() {
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    m_open = false;
    return true;
  }

private:
  sqlite3* m_db;
  bool m_open = false;
};

/// A table or column name in double quotes ("LIMIT" is a keyword).
inline std::string Quoted(const char* name) { return std::string("\"") + name + "\""; }

}  // namespace orvx
