#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dsp/GeqResponse.h"

namespace orvx {
namespace {

std::array<double, kGeqBandCount> OneBand(int band, double db) {
  std::array<double, kGeqBandCount> g{};
  g[band] = db;
  return g;
}

TEST(GeqResponseTest, FlatBandsGiveAFlatCurve) {
  const auto curve = GeqCurve({}, 64);
  ASSERT_EQ(curve.size(), 64u);
  for (double db : curve) EXPECT_NEAR(db, 0.0, 1e-9);
}

TEST(GeqResponseTest, OneBandPeaksAtItsCentreAndLeavesFarBandsAlone) {
  struct Case {
    int band;
    double db;
  };
  // 1 kHz boosted, 100 Hz cut, and the top band near the sample rate's half.
  for (const Case c : {Case{17, 15.0}, Case{7, -15.0}, Case{30, 6.0}}) {
    SCOPED_TRACE(c.band);
    const auto gains = OneBand(c.band, c.db);
    const double centre = GeqCentreHz()[c.band];
    EXPECT_NEAR(GeqResponseDb(gains, centre), c.db, 0.05);
    // A third-octave band: half an octave away well under the peak, three octaves away nothing.
    EXPECT_LT(std::abs(GeqResponseDb(gains, centre / std::sqrt(2.0))), std::abs(c.db) * 0.6);
    EXPECT_NEAR(GeqResponseDb(gains, centre / 8.0), 0.0, 0.3);
  }
}

TEST(GeqResponseTest, CutMirrorsBoostAndNeighboursAdd) {
  const double at = GeqCentreHz()[17];
  EXPECT_NEAR(GeqResponseDb(OneBand(17, -9.0), at), -GeqResponseDb(OneBand(17, 9.0), at), 1e-9);
  auto both = OneBand(17, 6.0);
  both[18] = 6.0;
  const double between = std::sqrt(GeqCentreHz()[17] * GeqCentreHz()[18]);
  EXPECT_NEAR(GeqResponseDb(both, between), GeqResponseDb(OneBand(17, 6.0), between) * 2, 0.3);
  EXPECT_GT(GeqResponseDb(both, between), 6.0) << "two neighbouring boosts overlap";
}

TEST(GeqResponseTest, StoredGainsConvertAroundTheirMiddle) {
  EXPECT_DOUBLE_EQ(GeqGainDb(150), 0.0);
  EXPECT_DOUBLE_EQ(GeqGainDb(300), 15.0);
  EXPECT_DOUBLE_EQ(GeqGainDb(0), -15.0);
  EXPECT_DOUBLE_EQ(GeqGainDb(163), 1.3);
}

}  // namespace
}  // namespace orvx
