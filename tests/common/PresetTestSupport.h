#pragma once
// For the preset library's tests: a directory of its own per test, SQL run on a library file through
// a second connection (another program using the file, or a file damaged outside), and the records
// compared word by word.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "TempDir.h"
#include "core/DeviceState.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace orvx::presettest {

using test::CTempDir;

/// Runs `sql` on the database file; returns the error text, empty on success.
inline std::string RawSql(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string error;
  if (sqlite3_open(file.string().c_str(), &db) != SQLITE_OK) {
    error = db != nullptr ? sqlite3_errmsg(db) : "cannot open";
  } else {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      error = message != nullptr ? message : "failed";
    }
    sqlite3_free(message);
  }
  sqlite3_close(db);
  return error;
}

/// The single text value `sql` selects, or "<none>".
inline std::string RawValue(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string value = "<none>";
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
    const auto* text = sqlite3_column_text(stmt, 0);
    value = text != nullptr ? reinterpret_cast<const char*>(text) : "<null>";
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return value;
}

/// Every channel and output record equal, word by word (the scene image's view of them).
inline bool SameRecords(const CDeviceState& a, const CDeviceState& b) {
  return std::memcmp(a.in, b.in, sizeof a.in) == 0 && std::memcmp(a.out, b.out, sizeof a.out) == 0;
}

}  // namespace orvx::presettest
