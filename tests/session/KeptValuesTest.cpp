#include "session/KeptValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/ParamReport.h"

namespace orvx {
namespace {

/// Every address of the parameter table whose value differs between the two states.
std::vector<ParamAddr> Differences(const CDeviceState& a, const CDeviceState& b) {
  std::vector<ParamAddr> out;
  for (const ParamDef& d : AllParams())
    for (const ParamAddr& addr : AddressesOf(d))
      if (!(ReadParam(a, addr) == ReadParam(b, addr))) out.push_back(addr);
  return out;
}

CDeviceState Defaults() {
  CDeviceState s;
  s.ResetToDefaults();
  return s;
}

// Every value only the editor keeps comes back from its file; nothing else is touched.
TEST(KeptValues, EveryKeptValueRoundTripsAndOnlyThose) {
  CDeviceState before = Defaults();
  const std::vector<std::pair<ParamAddr, ParamValue>> changes = {
      {{ParamId::InSend, 2, 3}, {45, {}}},           {{ParamId::InSolo, 5, 0}, {1, {}}},
      {{ParamId::InGateOn, 1, 0}, {1, {}}},          {{ParamId::DelayTime1, 0, 0}, {250, {}}},
      {{ParamId::MuteGroupIn, 1, 4}, {1, {}}},       {{ParamId::ControlGroupName, 2, 0}, {0, "STAGE 讲台"}},
      {{ParamId::InPeqGain, 3, 4}, {210, {}}},  // band 5: no report carries it
  };
  for (const auto& [a, v] : changes) {
    ASSERT_EQ(ReportOf(a), ReportedBy::None) << Param(a.id).name;
    WriteParam(before, a, ClampParam(a, v));
  }
  const std::string text = CKeptValues::Serialize(before, 150);

  CDeviceState after = Defaults();
  after.in[0].level = 12;  // a value a report carries: the file never brings one
  const CKeptValues::Loaded loaded = CKeptValues::Apply(text, after);
  EXPECT_EQ(loaded.skipped, 0);
  EXPECT_EQ(loaded.sendInterval, 150);
  for (const ParamAddr& a : CKeptValues::Addresses()) EXPECT_EQ(ReadParam(after, a), ReadParam(before, a)) << Param(a.id).name;
  EXPECT_EQ(after.in[0].level, 12);
}

// A damaged, short or foreign file changes nothing it should not: unknown names, values no longer
// kept (a report carries them), broken lines and a line cut short are skipped, values out of range
// are clamped, a file without our header (another kind, another version) is not read at all.
TEST(KeptValues, ADamagedShortOrForeignFileChangesOnlyWhatIsSound) {
  const ParamAddr send01{ParamId::InSend, 0, 1};
  struct Case {
    const char* what;
    const char* text;
    int applied;
    int skipped;
    std::vector<std::pair<ParamAddr, std::int32_t>> changed;  ///< everything else stays
  };
  const Case cases[] = {
      {"no header: not our file", "in.send 0 1 40\n", 0, 0, {}},
      {"a later version", "orvx-kept 2\nin.send 0 1 40\n", 0, 0, {}},
      {"empty", "", 0, 0, {}},
      {"cut short in its last value", "orvx-kept 1\nin.send 0 1 40\nin.send 0 2 4", 1, 1, {{send01, 40}}},
      {"damaged lines among sound ones",
       "orvx-kept 1\n"
       "in.send 0 1 999\n"            // clamped to the top of the range
       "in.level 0 0 5\n"             // carried by the full state: never from the file
       "no.such.value 0 0 1\n"        // unknown
       "in.send 0\n"                  // broken
       "in.send 0 99 10\n"            // no such index
       "controlgroup.name 1 0 xZZ\n"  // not hexadecimal
       "\n",
       1, 6, {{send01, kLevelMax}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDeviceState s = Defaults();
    const CKeptValues::Loaded loaded = CKeptValues::Apply(c.text, s);
    EXPECT_EQ(loaded.applied, c.applied);
    EXPECT_EQ(loaded.skipped, c.skipped);
    EXPECT_FALSE(loaded.sendInterval.has_value());
    std::vector<ParamAddr> expected;
    for (const auto& [a, raw] : c.changed) {
      EXPECT_EQ(ReadParam(s, a).raw, raw) << Param(a.id).name;
      expected.push_back(a);
    }
    EXPECT_EQ(Differences(s, Defaults()), expected);
  }
  CDeviceState s = Defaults();
  EXPECT_EQ(CKeptValues::Apply("orvx-kept 1\nlink.spantime 80\n", s).sendInterval, 80);
  EXPECT_FALSE(CKeptValues::Apply("orvx-kept 1\nlink.spantime -5\n", s).sendInterval.has_value());
}

}  // namespace
}  // namespace orvx
