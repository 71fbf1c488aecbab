#include "ui/SliderGeometry.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

// A 200-pixel fader, 20-pixel thumb, no margins, range 0..100.
SliderGeometry Fader200() { return SliderGeometry{200, 0, 0, 20, 0, 100}; }

struct PixelCase {
  SliderGeometry geometry;
  int position;
  int pixel;
};

class PosToPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PosToPixelTest, MapsThePositionToTheThumbCentre) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(c.geometry.PosToPixel(c.position), c.pixel);
}

INSTANTIATE_TEST_SUITE_P(Cases, PosToPixelTest,
                         ::testing::Values(PixelCase{Fader200(), 0, 10}, PixelCase{Fader200(), 100, 190},
                                           PixelCase{Fader200(), 50, 100},
                                           // margins 5 and 15: S + trunc(p/70 * (230 - 15 - 40 - 5)) + 20
                                           PixelCase{{230, 5, 15, 40, 0, 70}, 0, 25},
                                           PixelCase{{230, 5, 15, 40, 0, 70}, 70, 195},
                                           PixelCase{{230, 5, 15, 40, 0, 70}, 35, 110},
                                           // trunc cuts towards zero: 1/3 of 170 = 56.67 -> 56
                                           PixelCase{{200, 0, 0, 30, 0, 3}, 1, 71},
                                           // an empty range keeps the thumb at the start
                                           PixelCase{{200, 0, 0, 20, 5, 5}, 5, 10}));

TEST(SliderGeometryTest, PixelToPosInvertsPosToPixelOverTheWholeRange) {
  const SliderGeometry g{230, 5, 15, 40, 0, 70};
  for (int p = g.minimum; p <= g.maximum; ++p) {
    EXPECT_EQ(g.PixelToPos(g.PosToPixel(p) + 1), p) << p;  // +1 avoids landing exactly on a truncation edge
  }
  EXPECT_EQ(Fader200().PixelToPos(10), 0);
  EXPECT_EQ(Fader200().PixelToPos(190), 100);
}

TEST(SliderGeometryTest, ZeroTravelNeverDividesByZero) {
  const SliderGeometry g{20, 0, 0, 20, 0, 100};
  EXPECT_EQ(g.Travel(), 0);
  EXPECT_EQ(g.PixelToPos(15), 0);
  EXPECT_EQ(g.PosToPixel(100), 10);
}

TEST(SliderGeometryTest, GrabOffsetKeepsTheThumbForNearPressesAndJumpsForFarOnes) {
  const SliderGeometry g = Fader200();
  EXPECT_EQ(g.GrabOffset(103, 100), 3);
  EXPECT_EQ(g.GrabOffset(90, 100), -10);  // exactly half a thumb away still holds
  EXPECT_EQ(g.GrabOffset(140, 100), 0);
  EXPECT_EQ(g.GrabOffset(89, 100), 0);
}

TEST(SliderGeometryTest, ClampPixelKeepsTheCentreOnTheTrack) {
  const SliderGeometry g{200, 4, 6, 20, 0, 100};
  EXPECT_EQ(g.ClampPixel(-50), 14);
  EXPECT_EQ(g.ClampPixel(500), 184);
  EXPECT_EQ(g.ClampPixel(100), 100);
}

struct CrossCase {
  SliderCrossAxis cross;
  int capStart;
  double centreLine;
};

class SliderCrossAxisTest : public ::testing::TestWithParam<CrossCase> {};

TEST_P(SliderCrossAxisTest, CapAndSlotShareOneCentreLine) {
  const CrossCase& c = GetParam();
  EXPECT_EQ(c.cross.CapStart(), c.capStart);
  EXPECT_DOUBLE_EQ(c.cross.CentreLine(), c.centreLine);
  EXPECT_DOUBLE_EQ(c.cross.CapStart() + c.cross.cap / 2.0, c.centreLine);  // the cap's own centre
  EXPECT_DOUBLE_EQ(c.cross.SlotStart(6) + 3.0, c.centreLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SliderCrossAxisTest,
    ::testing::Values(CrossCase{{0, 40, 30}, 5, 20.0},
                      CrossCase{{0, 41, 30}, 5, 20.0},   // an odd pixel to spare stays on the far side
                      CrossCase{{0, 44, 36}, 4, 22.0},   // the strip's fader with its cap image
                      CrossCase{{3, 40, 30}, 8, 23.0},   // after a margin
                      CrossCase{{0, 40, 15}, 12, 19.5},  // an odd cap: the line runs between pixels
                      CrossCase{{0, 24, 30}, -3, 12.0},  // a cap wider than the room overhangs both sides
                      CrossCase{{0, 23, 30}, -4, 11.0}));

struct KeyCase {
  SliderKey key;
  int from;
  int to;
};

class SliderKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SliderKeyTest, StepsAndClamps) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(Fader200().KeyStep(c.key, c.from, 20), c.to);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderKeyTest,
                         ::testing::Values(KeyCase{SliderKey::PageUp, 50, 30}, KeyCase{SliderKey::PageUp, 10, 0},
                                           KeyCase{SliderKey::PageDown, 50, 70}, KeyCase{SliderKey::PageDown, 95, 100},
                                           KeyCase{SliderKey::End, 3, 100}, KeyCase{SliderKey::Home, 60, 0},
                                           KeyCase{SliderKey::Home, 0, 0}, KeyCase{SliderKey::Up, 50, 49},
                                           KeyCase{SliderKey::Left, 0, 0}, KeyCase{SliderKey::Down, 50, 51},
                                           KeyCase{SliderKey::Right, 100, 100}));

}  // namespace
}  // namespace orvx
