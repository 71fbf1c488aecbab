// The compressor's and limiter's static curves, case by case of the meters' rule.
#include <gtest/gtest.h>

#include "dsp/DynamicsCurve.h"

namespace orvx::dyn {
namespace {

TEST(DynamicsCurve, TransferLineBendsAtTheThreshold) {
  EXPECT_DOUBLE_EQ(TransferOutput(-40, -30, 4), -40);
  EXPECT_DOUBLE_EQ(TransferOutput(-10, -30, 4), -25);
  EXPECT_DOUBLE_EQ(TransferOutput(-10, -30, 1), -10) << "1:1 is a straight line";
}

TEST(DynamicsCurve, StaticOutputFollowsEachCase) {
  struct Case {
    double x, t, r, g, out;
  } cases[] = {
      {-40, -30, 1, 0, -40},  {-10, -30, 1, 0, -10},   {5, -30, 1, 0, 0},       // 1:1, K = 0: full scale past 0 dB
      {-20, -30, 4, 0, -27.5}, {0, -30, 4, 0, -22.5},  {-45, -30, 4, 0, -45},   // K = -22.5
      {-30, -10, 1, 20, -10},  {-20, -10, 1, 20, 0},   {-5, -10, 1, 20, 0},     // T + G above 0
      {-20, -10, 2, 8, -12},   {-8, -10, 2, 8, -1},    {-5, -10, 2, 8, 0},      // K = 3: full scale from -6 dB
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(StaticOutput(c.x, c.t, c.r, c.g), c.out) << c.x << " T" << c.t << " R" << c.r << " G" << c.g;
}

TEST(DynamicsCurve, MetersShowTheLevelAndTheReduction) {
  const DynamicsMeters loud = MetersOf(60, -30, 4, 0);
  EXPECT_DOUBLE_EQ(loud.in, 60);
  EXPECT_DOUBLE_EQ(loud.gr, 37.5);
  const DynamicsMeters over = MetersOf(75, -30, 4, 0);
  EXPECT_DOUBLE_EQ(over.in, 60) << "more than 60 counts as 60";
  EXPECT_DOUBLE_EQ(over.gr, loud.gr);
  EXPECT_DOUBLE_EQ(MetersOf(20, -30, 4, 0).gr, 60) << "below the threshold nothing is taken off";
}

}  // namespace
}  // namespace orvx::dyn
