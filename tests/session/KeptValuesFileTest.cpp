#include "session/KeptValuesFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/AtomicFile.h"

namespace orvx {
namespace {

class KeptValuesFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    state.ResetToDefaults();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // One directory per test: ctest runs the tests of this fixture side by side.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    (std::string("orvx-kept-file-") +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
  const std::string path = (dir / "kept-values.txt").string();
  CDeviceState state;
};

// Only a change is written; the newest values win however many were handed over; what waits when
// the file object ends is still written.
TEST_F(KeptValuesFileTest, WritesAfterAChangeOnlyAndAlwaysTheLastValues) {
  auto file = std::make_unique<CKeptValuesFile>(path);
  file->SaveIfChanged(state, 100);
  EXPECT_TRUE(file->Flush());
  EXPECT_FALSE(std::filesystem::exists(path)) << "nothing changed";

  for (int level = 1; level <= 40; ++level) {
    state.in[3].sends[2] = level;
    file->MarkChanged();
    file->SaveIfChanged(state, 120);
  }
  EXPECT_TRUE(file->Flush());
  EXPECT_EQ(ReadWholeFile(path), CKeptValues::Serialize(state, 120));

  state.muteGroups[2].outputs[5] = 1;
  file->MarkChanged();
  file->SaveIfChanged(state, 120);
  file.reset();  // the editor closes at once
  CDeviceState restored;
  restored.ResetToDefaults();
  const CKeptValues::Loaded loaded = CKeptValuesFile(path).Load(restored);
  EXPECT_EQ(loaded.sendInterval, 120);
  EXPECT_EQ(restored.in[3].sends[2], 40);
  EXPECT_EQ(restored.muteGroups[2].outputs[5], 1);
}

// A write that failed (the directory is gone) is tried again at the next tick without a new change.
TEST_F(KeptValuesFileTest, AFailedWriteIsTriedAgain) {
  std::filesystem::remove_all(dir);
  CKeptValuesFile file(path);
  state.in[0].solo = 1;
  file.MarkChanged();
  file.SaveIfChanged(state, 100);
  EXPECT_FALSE(file.Flush());
  std::filesystem::create_directories(dir);
  file.SaveIfChanged(state, 100);
  EXPECT_TRUE(file.Flush());
  EXPECT_EQ(ReadWholeFile(path), CKeptValues::Serialize(state, 100));
}

}  // namespace
}  // namespace orvx
