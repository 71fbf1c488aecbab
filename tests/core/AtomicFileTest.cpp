#include "core/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/TempDir.h"

namespace orvx {
namespace {

std::vector<std::string> Entries(const std::filesystem::path& dir) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path().filename().string());
  return out;
}

// A file is replaced whole or not at all, and no temporary file is left either way.
TEST(AtomicFile, AFileIsReplacedWholeOrNotAtAll) {
  const test::CTempDir scratch;
  const std::filesystem::path& dir = scratch.Path();
  const std::string path = (dir / "kept-values.txt").string();
  EXPECT_EQ(ReadWholeFile(path), std::nullopt);
  ASSERT_TRUE(WriteFileAtomically(path, "first\n"));
  ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x')));
  EXPECT_EQ(ReadWholeFile(path), std::string(100000, 'x'));
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"kept-values.txt"});

  EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "kept.txt").string(), "x"));
  std::filesystem::create_directories(dir / "a-directory");
  EXPECT_FALSE(WriteFileAtomically((dir / "a-directory").string(), "x")) << "a directory is never replaced";
  EXPECT_EQ(ReadWholeFile(path), std::string(100000, 'x')) << "the old file stands";
  EXPECT_EQ(Entries(dir).size(), 2u) << "no temporary file is left";
}

}  // namespace
}  // namespace orvx
