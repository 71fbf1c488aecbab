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

TEST(DropListLayoutTest, ListHeightLeavesRoomForTheListsFrame) {
  EXPECT_EQ(DropListLayout::ListHeight(3, 16, 200, 1), 51);    // 48 of rows + 1 + a pixel each side
  EXPECT_EQ(DropListLayout::ListHeight(20, 16, 200, 1), 203);  // capped rows, frame still added
  EXPECT_EQ(DropListLayout::ListHeight(0, 16, 200, 2), 204);
  EXPECT_EQ(DropListLayout::ListRect(QRect(0, 0, 100, 20), 3, 16, 200, 1).height(), 51);
}

struct PlaceCase {
  const char* what;
  QRect face;
  int height;
  QRect expected;
};

class PlaceListTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceListTest, OpensBelowWhenItFitsElseAbove) {
  const QRect screen(0, 0, 800, 600);  // rows 0 .. 599
  EXPECT_EQ(DropListLayout::PlaceList(GetParam().face, GetParam().height, screen), GetParam().expected)
      << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceListTest,
    ::testing::Values(
        // face rows 100 .. 123: below starts on the face's last row
        PlaceCase{"room below", QRect(30, 100, 120, 24), 51, QRect(30, 123, 120, 51)},
        // rows 549 .. 599 end exactly on the screen's last row
        PlaceCase{"fits exactly below", QRect(30, 526, 120, 24), 51, QRect(30, 549, 120, 51)},
        // one row short below: above, the list's last row on the face's first (527)
        PlaceCase{"one pixel short below", QRect(30, 527, 120, 24), 51, QRect(30, 477, 120, 51)},
        PlaceCase{"at the bottom", QRect(30, 570, 120, 24), 203, QRect(30, 368, 120, 203)},
        // 600 rows fit nowhere: the roomier side, shortened to its room
        PlaceCase{"too tall, more room above", QRect(30, 500, 120, 24), 600, QRect(30, 0, 120, 501)},
        PlaceCase{"too tall, more room below", QRect(30, 40, 120, 24), 600, QRect(30, 63, 120, 537)},
        PlaceCase{"kept inside the right edge", QRect(740, 100, 120, 24), 51, QRect(680, 123, 120, 51)},
        PlaceCase{"kept inside the left edge", QRect(-30, 100, 120, 24), 51, QRect(0, 123, 120, 51)}));

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

INSTANTIATE_TEST_SUITE_P(Cases, WheelAccumulatorTest,
                         ::testing::Values(WheelCase{{-120}, {1}},                // towards the user: next row
                                           WheelCase{{120}, {-1}},                // away: previous row
                                           WheelCase{{-60, -60}, {0, 1}},         // half notches gather
                                           WheelCase{{-60, 60, -60}, {0, 0, 0}},  // and cancel
                                           WheelCase{{-360}, {1}},                // a burst is limited to one notch
                                           WheelCase{{-100, -100, -40},
                                                     {0, 1, 0}},  // the sum is capped at -120 then restarts
                                           WheelCase{{240, -120}, {-1, 1}}));

}  // namespace
}  // namespace orvx
