// Which report carries each value back, checked against the processor's own report builders (the
// simulator's) and the editor's decoder: a value the table says comes back must survive a change
// at the processor, and a value it says does not must not.

#include "ReportBuilder.h"
#include "link/ReportParser.h"
#include "session/ParamReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvx {
namespace {

/// The two ends of a value's range (two names for a name): a value comes back only if both do, so a
/// value a full load sets itself cannot pass for one the report carries.
std::vector<ParamValue> Ends(const ParamAddr& a) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Text) return {{0, "Ab"}, {0, "Cd"}};
  return {{d.rawMin, {}}, {RawMaxFor(d, a.record), {}}};
}

/// The editor's copy before the reports arrive: unlike `v`, so only a report can bring `v`.
ParamValue Spoiled(const ParamAddr& a, const ParamValue& v) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Text) return {0, "Zz"};
  return {v.raw == d.rawMin ? RawMaxFor(d, a.record) : d.rawMin, {}};
}

TEST(ParamReport, EveryValueComesBackExactlyWhenItsReportCarriesIt) {
  for (const ParamDef& d : AllParams()) {
    for (int r = 0; r < d.records; ++r) {
      for (int i = 0; i < std::max(d.indices, 1); ++i) {
        const ParamAddr a{d.id, r, i};
        SCOPED_TRACE(std::string(d.name) + " " + std::to_string(r + 1) + " " + std::to_string(i + 1));
        bool cameBack = true;
        for (const ParamValue& v : Ends(a)) {
          CDeviceState processor;
          WriteParam(processor, a, v);
          CDeviceState editor;
          WriteParam(editor, a, Spoiled(a, v));
          DispatchFrame(BuildZReport(processor, "32"), editor, 0);
          DispatchFrame(BuildYReport(processor), editor, 0);
          cameBack = cameBack && ReadParam(editor, a) == AfterWire(a, v);
        }
        ASSERT_EQ(cameBack, ReportOf(a) != ReportedBy::None);
      }
    }
  }
}

TEST(ParamReport, EqGainsComeBackInStepsOfTwoEverythingElseAsSent) {
  struct Case {
    ParamAddr addr;
    std::int32_t sent, kept;
  };
  const Case cases[] = {
      {{ParamId::InPeqGain, 0, 1}, 115, 114}, {{ParamId::InPeqGain, 0, 1}, 116, 116},
      {{ParamId::OutGeqGain, 7, 30}, 1, 0},   {{ParamId::InLevel, 2, 0}, 63, 63},
      {{ParamId::InCompRatio, 0, 0}, 25, 25},
  };
  for (const Case& c : cases) EXPECT_EQ(AfterWire(c.addr, {c.sent, {}}).raw, c.kept) << Param(c.addr.id).name;
}

}  // namespace
}  // namespace orvx
