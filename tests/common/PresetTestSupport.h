#pragma once
// For the preset library's tests: a directory of its own per test, SQL run on a library file through
// a second connection (another program using the file, or a file damaged outside), and the records
// compared word by word.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/DeviceState.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace orvx::presettest {

/// A fresh, empty directory of its own, removed when the test ends. Its name is made unique by the
/// system (mkdtemp), so the same test running at once in another build or another ctest job never
/// shares it; the test's name stands in it only to tell who left it.
class CTempDir {
public:
  CTempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("orvx-presets-") + info->test_suite_name() + "-" + info->name() + "-XXXXXX";
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    std::string path = (std::filesystem::path(::testing::TempDir()) / name).string();
    if (::mkdtemp(path.data()) == nullptr) ADD_FAILURE() << "cannot create a directory like " << path;
    m_path = path;
  }
  ~CTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string Dir() const { return m_path.string(); }

private:
  std::filesystem::path m_path;
};

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
