#include "ui/MeterBallistics.h"
#include "ui/MeterScale.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(MeterScaleTest, ColumnsSplitThePlotWithOnePixelGaps) {
  const ColumnSpan a = MeterScale::Column(0, 100, 0, 4);
  const ColumnSpan b = MeterScale::Column(0, 100, 1, 4);
  const ColumnSpan d = MeterScale::Column(0, 100, 3, 4);
  EXPECT_EQ(a.left, 1);
  EXPECT_EQ(a.right, 24);
  EXPECT_EQ(b.left, 26);
  EXPECT_EQ(b.right, 49);
  EXPECT_EQ(d.right, 99);
  // Integer division of 7 columns over 100 pixels: spans never overlap.
  for (int g = 0; g + 1 < 7; ++g) {
    EXPECT_LT(MeterScale::Column(0, 100, g, 7).right, MeterScale::Column(0, 100, g + 1, 7).left);
  }
}

struct LitCase {
  double value;
  int lit;
};

class LitHeightTest : public ::testing::TestWithParam<LitCase> {};

TEST_P(LitHeightTest, ScalesAndClampsTheValue) {
  EXPECT_EQ(MeterScale::LitHeight(200, GetParam().value, 0.0, 50.0), GetParam().lit);
}

INSTANTIATE_TEST_SUITE_P(Cases, LitHeightTest,
                         ::testing::Values(LitCase{0, 0}, LitCase{50, 200}, LitCase{25, 100}, LitCase{20, 80},
                                           LitCase{0.3, 1},  // trunc(1.2)
                                           LitCase{-10, 0}, LitCase{80, 200}, LitCase{NAN, 0}));

TEST(MeterScaleTest, ZonesFollowTheThresholdsOfTheRowsLowerEdge) {
  // 200 pixels: zone 2 from 86 (0.43), zone 3 from 116 (0.58).
  EXPECT_EQ(MeterScale::Zone(0, 200, 0.43, 0.58), 1);
  EXPECT_EQ(MeterScale::Zone(84, 200, 0.43, 0.58), 1);
  EXPECT_EQ(MeterScale::Zone(86, 200, 0.43, 0.58), 2);
  EXPECT_EQ(MeterScale::Zone(114, 200, 0.43, 0.58), 2);
  EXPECT_EQ(MeterScale::Zone(116, 200, 0.43, 0.58), 3);
  EXPECT_EQ(MeterScale::Zone(198, 200, 0.43, 0.58), 3);
}

TEST(MeterScaleTest, FullBarLightsAllThreeZonesAndFortyPercentOnlyTheFirst) {
  const int height = 200;
  auto highestLitZone = [&](double value) {
    const int lit = MeterScale::LitHeight(height, value, 0.0, 50.0);
    int zone = 0;
    for (int row = 0; row < lit; row += MeterScale::kRowHeight) {
      zone = std::max(zone, MeterScale::Zone(row, height, 0.43, 0.58));
    }
    return zone;
  };
  EXPECT_EQ(highestLitZone(50.0), 3);
  EXPECT_EQ(highestLitZone(20.0), 1);
}

TEST(MeterScaleTest, ScaleLabelsOfTheDefaultRange) {
  const char* expected[] = {"-60", "-52", "-43", "-35", "-27", "-18", "-10"};
  for (int i = 0; i < MeterScale::kTicks; ++i) {
    EXPECT_EQ(MeterScale::TickLabel(0.0, 50.0, i).toStdString(), expected[i]) << i;
  }
  EXPECT_EQ(MeterScale::TickY(200, 180, 0), 200);
  EXPECT_EQ(MeterScale::TickY(200, 180, 6), 20);
  EXPECT_EQ(MeterScale::TickY(200, 100, 1), 184);  // 100 / 6 = 16
}

TEST(MeterBallisticsTest, PeakHoldsThenFallsToTheLevel) {
  MeterBallistics meter(1000, 20.0);
  meter.SetLevel(40.0);
  meter.SetLevel(10.0);
  EXPECT_DOUBLE_EQ(meter.Peak(), 40.0);
  EXPECT_FALSE(meter.Advance(999));  // still holding
  EXPECT_DOUBLE_EQ(meter.Peak(), 40.0);
  EXPECT_TRUE(meter.Advance(501));  // 1 ms of hold left, then 500 ms falling at 20/s
  EXPECT_NEAR(meter.Peak(), 30.0, 1e-9);
  EXPECT_TRUE(meter.Advance(10'000));
  EXPECT_DOUBLE_EQ(meter.Peak(), 10.0);  // never below the level
  EXPECT_FALSE(meter.Advance(100));      // nothing left to fall
}

TEST(MeterBallisticsTest, ARisingLevelRestartsTheHold) {
  MeterBallistics meter(500, 100.0);
  meter.SetLevel(20.0);
  meter.SetLevel(0.0);
  meter.Advance(400);
  meter.SetLevel(30.0);
  meter.SetLevel(0.0);
  EXPECT_FALSE(meter.Advance(400));
  EXPECT_DOUBLE_EQ(meter.Peak(), 30.0);
}

}  // namespace
}  // namespace orvx
