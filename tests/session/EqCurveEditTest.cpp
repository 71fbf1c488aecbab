// Dragging a point of the EQ curve: what it writes, and where the points are drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "session/EqCurveEdit.h"

namespace orvx {
namespace {

TEST(EqCurveEdit, ADraggedPointWritesRoundedValuesInsideTheirRanges) {
  struct Case {
    int point;
    double freq, gain;
    std::vector<std::pair<ParamId, std::int32_t>> writes;
  } cases[] = {
      {0, 1000.4, 3.04, {{ParamId::InPeqFreq, 1000}, {ParamId::InPeqGain, 180}}},
      {2, 999.6, -2.96, {{ParamId::InPeqFreq, 1000}, {ParamId::InPeqGain, 120}}},
      {1, 12.0, 40.0, {{ParamId::InPeqFreq, 20}, {ParamId::InPeqGain, 300}}},       // below the grid, past +15
      {3, 96000.0, -99.0, {{ParamId::InPeqFreq, 20000}, {ParamId::InPeqGain, 0}}},  // past the top, past -15
      {3, 5000, 0.15, {{ParamId::InPeqFreq, 5000}, {ParamId::InPeqGain, 152}}},     // 151.5 -> 152 (on the step)
      {0, 250, 0.33, {{ParamId::InPeqFreq, 250}, {ParamId::InPeqGain, 152}}},       // 153 -> 152, what travels
      {kHighPassPoint, 80.6, 9.0, {{ParamId::InHpfFreq, 81}}},
      {kLowPassPoint, 30000, -9.0, {{ParamId::InLpfFreq, 20000}}},
  };
  for (const Case& c : cases) {
    const auto writes = CurvePointWrites(5, c.point, c.freq, c.gain);
    ASSERT_EQ(writes.size(), c.writes.size()) << c.point;
    for (std::size_t i = 0; i < writes.size(); ++i) {
      EXPECT_EQ(writes[i].addr.id, c.writes[i].first) << c.point;
      EXPECT_EQ(writes[i].addr.record, 5);
      EXPECT_EQ(writes[i].value.raw, c.writes[i].second) << c.point << " " << c.freq << " " << c.gain;
      if (c.point < 4) {
        EXPECT_EQ(writes[i].addr.index, c.point);
      }
    }
  }
  EXPECT_TRUE(CurvePointWrites(5, 0, std::nan(""), 0).empty());
  EXPECT_TRUE(CurvePointWrites(5, 6, 100, 0).empty());
}

TEST(EqCurveEdit, PeakingPointsSitOnTheGridShelvesAndCornersWhereTheyAre) {
  CDeviceState s;
  s.ResetToDefaults();
  InputChannel& c = s.in[2];
  c.peq[0] = {1010, 250, 20, {0, 0}, 0};  // peaking: drawn at the 1000 Hz grid point
  c.peq[3] = {1010, 250, 20, {0, 0}, 2};  // high shelf: where it is
  c.hpfFreq = 120;
  const auto summed = eq::ChannelResponse(c, 2);
  const auto points = CurvePoints(c, 2, summed);
  EXPECT_DOUBLE_EQ(points[0].freq, 1000);
  EXPECT_DOUBLE_EQ(points[0].gainDb, 10.0);
  EXPECT_DOUBLE_EQ(points[3].freq, 1010);
  EXPECT_DOUBLE_EQ(points[kHighPassPoint].freq, 120);
  EXPECT_DOUBLE_EQ(points[kHighPassPoint].gainDb, summed[static_cast<std::size_t>(eq::NearestGridIndex(120))]);
  EXPECT_TRUE(points[kLowPassPoint].shown);
  EXPECT_FALSE(CurvePoints(s.in[9], 9, summed)[kHighPassPoint].shown) << "inputs 9..16 draw no filters";
}

TEST(EqCurveEdit, AGraphicBandDraggedToTheEdgesStoresItsEnds) {
  struct Case {
    double db;
    std::int32_t raw;
  } cases[] = {{15.0, 300}, {-15.0, 0}, {22.0, 300}, {0.33, 152}, {-0.04, 150}, {std::nan(""), 150}};
  for (const Case& c : cases) {
    const ParamWrite w = GeqBandWrite(6, 30, c.db);
    EXPECT_EQ(w.addr, (ParamAddr{ParamId::OutGeqGain, 6, 30}));
    EXPECT_EQ(w.value.raw, c.raw) << c.db;
  }
}

}  // namespace
}  // namespace orvx
