#pragma once
// A directory of its own for a test that writes files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace orvx::test {

/// A fresh, empty directory of its own, removed when the test ends. Its name is made unique by the
/// system (mkdtemp), so the same test running at once in another build or another ctest job never
/// shares it; the test's name stands in it only to tell who left it.
class CTempDir {
public:
  CTempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("orvx-") + info->test_suite_name() + "-" + info->name() + "-XXXXXX";
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

}  // namespace orvx::test
