#include "session/KeptValues.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "session/ParamReport.h"

namespace orvx {
namespace {

// Every value only the editor keeps comes back from its file; nothing else is touched.
TEST(KeptValues, EveryKeptValueRoundTripsAndOnlyThose) {
  CDeviceState before;
  before.ResetToDefaults();
  const std::vector<std::pair<ParamAddr, ParamValue>> changes = {
      {{ParamId::InSend, 2, 3}, {45, {}}},           {{ParamId::InSolo, 5, 0}, {1, {}}},
      {{ParamId::InGate, 1, 0}, {1, {}}},            {{ParamId::DelayTime1, 0, 0}, {250, {}}},
      {{ParamId::MuteGroupIn, 1, 4}, {1, {}}},       {{ParamId::ControlGroupName, 2, 0}, {0, "STAGE 讲台"}},
      {{ParamId::InPeqGain, 3, 4}, {210, {}}},  // band 5: no report carries it
  };
  for (const auto& [a, v] : changes) {
    ASSERT_EQ(ReportOf(a), ReportedBy::None) << Param(a.id).name;
    WriteParam(before, a, ClampParam(a, v));
  }
  const std::string text = CKeptValues::Serialize(before, 150);

  CDeviceState after;
  after.ResetToDefaults();
  after.in[0].level = 12;  // a value a report carries: the file never brings one
  const CKeptValues::Loaded loaded = CKeptValues::Apply(text, after);
  EXPECT_EQ(loaded.skipped, 0);
  EXPECT_EQ(loaded.sendInterval, 150);
  for (const ParamAddr& a : CKeptValues::Addresses()) EXPECT_EQ(ReadParam(after, a), ReadParam(before, a)) << Param(a.id).name;
  EXPECT_EQ(after.in[0].level, 12);
}

// A damaged or foreign file changes nothing it should not: unknown names, values no longer kept
// (a report carries them) and broken lines are skipped, values out of range are clamped.
TEST(KeptValues, ADamagedFileAppliesOnlyWhatIsSoundAndInRange) {
  CDeviceState s;
  s.ResetToDefaults();
  const int level = s.in[0].level;
  const CKeptValues::Loaded none = CKeptValues::Apply("in.send 0 1 40\n", s);
  EXPECT_EQ(none.applied, 0) << "no header: not our file";
  const CKeptValues::Loaded loaded = CKeptValues::Apply(
      "orvx-kept 1\n"
      "in.send 0 1 999\n"        // clamped to 70
      "in.level 0 0 5\n"         // carried by the full state: never from the file
      "no.such.value 0 0 1\n"    // unknown
      "in.send 0\n"              // broken
      "controlgroup.name 1 0 xZZ\n"  // not hexadecimal
      "link.spantime 80\n",
      s);
  EXPECT_EQ(loaded.applied, 1);
  EXPECT_EQ(loaded.skipped, 4);
  EXPECT_EQ(s.in[0].sends[1], kLevelMax);
  EXPECT_EQ(s.in[0].level, level);
  EXPECT_EQ(loaded.sendInterval, 80);
}

TEST(KeptValues, AFileIsWrittenWholeOrNotAtAll) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvx-kept-test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "kept-values.txt").string();
  ASSERT_TRUE(WriteFileAtomically(path, "orvx-kept 1\n"));
  EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>("orvx-kept 1\n"));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "kept.txt").string(), "x"));
  EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>("orvx-kept 1\n")) << "the old file stands";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvx
