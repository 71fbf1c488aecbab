#include "ui/DropListLayout.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(DropListLayoutTest, ListHeightFollowsTheRowsUpToTheMaximum) {
  EXPECT_EQ(DropListLayout::ListHeight(3, 16, 200), 49);
  EXPECT_EQ(DropListLayout::ListHeight(20, 16, 200), 201);
  EXPECT_EQ(DropListLayout::ListHeight(12, 16, 200), 193);
  EXPECT_EQ(DropListLayout::ListHeight(0, 16, 200), 200);  // an empty list opens at the maximum
}

TEST(DropListLayoutTest, ListOpensOnePixelAboveTheFacesBottomEdge) {
  const QRect face(30, 40, 120, 24);  // bottom edge at y 64
  const QRect list = DropListLayout::ListRect(face, 3, 16, 200);
  EXPECT_EQ(list.top(), 63);
  EXPECT_EQ(list.left(), 30);
  EXPECT_EQ(list.width(), 120);
  EXPECT_EQ(list.height(), 49);
}

TEST(DropListLayoutTest, ClampRowKeepsRowsInRange) {
  EXPECT_EQ(DropListLayout::ClampRow(-5, 4), 0);
  EXPECT_EQ(DropListLayout::ClampRow(4, 4), 3);
  EXPECT_EQ(DropListLayout::ClampRow(99, 4), 3);
  EXPECT_EQ(DropListLayout::ClampRow(2, 4), 2);
  EXPECT_EQ(DropListLayout::ClampRow(0, 0), -1);
}

struct WheelCase {
  std::vector<int> deltas;
  std::vector<int> steps;
};

class WheelAccumulatorTest : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelAccumulatorTest, StepsOncePerFullNotch) {
  WheelAccumulator wheel;
  std::vector<int> steps;
  for (int d : GetParam().deltas) {
    steps.push_back(wheel.Add(d));
  }
  EXPECT_EQ(steps, GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WheelAccumulatorTest,
    ::testing::Values(WheelCase{{-120}, {1}},                 // towards the user: next row
                      WheelCase{{120}, {-1}},                 // away: previous row
                      WheelCase{{-60, -60}, {0, 1}},          // half notches gather
                      WheelCase{{-60, 60, -60}, {0, 0, 0}},   // and cancel
                      WheelCase{{-360}, {1}},                 // a burst is limited to one notch
                      WheelCase{{-100, -100, -40}, {0, 1, 0}},  // the sum is capped at -120 then restarts
                      WheelCase{{240, -120}, {-1, 1}}));

}  // namespace
}  // namespace orvx
