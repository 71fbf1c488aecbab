#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dsp/EqResponse.h"

namespace orvx::eq {
namespace {

std::size_t At(double hz) {
  const auto& g = Grid();
  const auto at = std::find(g.begin(), g.end(), hz);
  EXPECT_NE(at, g.end()) << hz << " Hz is not a grid frequency";
  return at == g.end() ? 0 : static_cast<std::size_t>(at - g.begin());
}

double MaxAbs(const Response& r) {
  double m = 0;
  for (double v : r) m = std::max(m, std::abs(v));
  return m;
}

InputChannel FlatChannel() {
  InputChannel ch{};
  const int freqs[5] = {200, 500, 1000, 5000, 8000};
  for (int b = 0; b < kPeqBands; ++b) ch.peq[b] = {freqs[b], 150, 20, {}, 0};
  ch.hpfFreq = 20;
  ch.hpfSlope = 2;
  ch.lpfFreq = 20000;
  ch.lpfSlope = 2;
  return ch;
}

TEST(EqResponseTest, GridRunsFrom19_71To20000Rising) {
  const auto& g = Grid();
  EXPECT_EQ(g.front(), 19.71);
  EXPECT_EQ(g.back(), 20000);
  EXPECT_TRUE(std::is_sorted(g.begin(), g.end()));
}

TEST(EqResponseTest, ZeroGainBandsAndFiltersOffGiveAFlatCurve) {
  InputChannel ch = FlatChannel();
  ch.peq[0].type = 1;  // a shelf at 0 dB contributes nothing either
  ch.peq[3].type = 2;
  EXPECT_LT(MaxAbs(ChannelResponse(ch, 0)), 1e-9);
}

TEST(EqResponseTest, PeakingBandPeaksAtItsGridPointAndSnapsToTheNearest) {
  const CurveEntry band{EntryKind::Band, BandType::Peaking, 1000, 15.0, 2.0};
  const Response r = EntryResponse(band);
  EXPECT_NEAR(r[At(1000)], 15.0, 1e-4);
  EXPECT_EQ(std::max_element(r.begin(), r.end()) - r.begin(), static_cast<long>(At(1000)));
  EXPECT_LT(r[At(20.31)], 0.1);

  CurveEntry off = band;
  off.freq = 1010;
  EXPECT_EQ(EntryResponse(off), r) << "1010 Hz is drawn at the 1000 Hz grid point";
}

TEST(EqResponseTest, NearestGridIndex) {
  const std::pair<double, double> cases[] = {{1010, 1000},   {1016, 1030}, {5, 19.71}, {19.71, 19.71},
                                             {30000, 20000}, {178, 179},   {180, 179}};
  for (auto [freq, grid] : cases) EXPECT_EQ(Grid()[static_cast<std::size_t>(NearestGridIndex(freq))], grid) << freq;
}

TEST(EqResponseTest, ShelvesLiftTheirEndAndLeaveTheOther) {
  const CurveEntry low{EntryKind::Band, BandType::LowShelf, 200, 10.0, 2.0};
  const Response l = EntryResponse(low);
  EXPECT_NEAR(l.front(), 10.0, 0.5);
  EXPECT_NEAR(l.back(), 0.0, 0.1);
  const CurveEntry high{EntryKind::Band, BandType::HighShelf, 5000, -8.0, 2.0};
  const Response h = EntryResponse(high);
  EXPECT_NEAR(h.front(), 0.0, 0.1);
  EXPECT_NEAR(h.back(), -8.0, 0.8);
}

TEST(EqResponseTest, PassFilterSlopesFollowTheirOrder) {
  for (int slope = 0; slope <= 6; ++slope) {
    const double perOctave = 6.0 * (slope + 2);
    const CurveEntry hp{EntryKind::HighPass, BandType::Peaking, 2000, 0, 0, slope, true};
    const Response h = EntryResponse(hp);
    EXPECT_NEAR(h[At(250)] - h[At(125)], perOctave, 1.0) << "high-pass, slope " << slope;
    EXPECT_NEAR(h.back(), 0.0, 0.2) << slope;
    const CurveEntry lp{EntryKind::LowPass, BandType::Peaking, 500, 0, 0, slope, true};
    const Response l = EntryResponse(lp);
    EXPECT_NEAR(l[At(2000)] - l[At(4000)], perOctave, 1.0) << "low-pass, slope " << slope;
    EXPECT_NEAR(l.front(), 0.0, 0.2) << slope;
  }
  const CurveEntry hp12{EntryKind::HighPass, BandType::Peaking, 1000, 0, 0, 0, true};
  EXPECT_NEAR(EntryResponse(hp12)[At(1000)], 20 * std::log10(0.71), 1e-3) << "a section's gain at its corner is Q";
  CurveEntry off = hp12;
  off.enabled = false;
  EXPECT_LT(MaxAbs(EntryResponse(off)), 1e-12);
}

TEST(EqResponseTest, OnlyInputs1To8DrawTheirPassFilters) {
  InputChannel ch = FlatChannel();
  ch.hpfOn = 1;
  ch.hpfFreq = 1000;
  EXPECT_EQ(ChannelEntries(ch, 7).size(), 6u);
  EXPECT_LT(ChannelResponse(ch, 7)[At(102)], -30);
  EXPECT_EQ(ChannelEntries(ch, 8).size(), 4u);
  EXPECT_LT(MaxAbs(ChannelResponse(ch, 8)), 1e-9);
  ch.peq[4].gain = 300;  // band 5 is not drawn
  EXPECT_LT(MaxAbs(ChannelResponse(ch, 8)), 1e-9);
}

}  // namespace
}  // namespace orvx::eq
