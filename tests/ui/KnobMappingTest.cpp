#include "ui/KnobMapping.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(KnobMappingTest, AngleSweepsFromLowerLeftToLowerRight) {
  const KnobMapping knob{0, 100, 270.0, 200};
  EXPECT_DOUBLE_EQ(knob.Angle(0), -135.0);
  EXPECT_DOUBLE_EQ(knob.Angle(50), 0.0);
  EXPECT_DOUBLE_EQ(knob.Angle(100), 135.0);
  EXPECT_DOUBLE_EQ(knob.Angle(150), 135.0);                            // clamped
  EXPECT_DOUBLE_EQ(KnobMapping({7, 7, 270.0, 200}).Angle(7), -135.0);  // empty range, no division by zero
}

struct DragCase {
  int start;
  int dy;
  int value;
};

class KnobDragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(KnobDragTest, DraggingUpRaisesTheValue) {
  const KnobMapping knob{-20, 20, 270.0, 200};  // 40 units over 200 px: 5 px per unit
  EXPECT_EQ(knob.Drag(GetParam().start, GetParam().dy), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, KnobDragTest,
                         ::testing::Values(DragCase{0, -50, 10}, DragCase{0, 50, -10}, DragCase{0, -2, 0},
                                           DragCase{0, -3, 1},  // rounds to the nearest unit
                                           DragCase{15, -100, 20}, DragCase{-15, 100, -20}, DragCase{5, 0, 5}));

TEST(KnobMappingTest, WheelStepsAndClamps) {
  const KnobMapping knob{0, 330, 270.0, 200};
  EXPECT_EQ(knob.Wheel(100, 1, 5), 105);
  EXPECT_EQ(knob.Wheel(100, -2, 5), 90);
  EXPECT_EQ(knob.Wheel(328, 1, 5), 330);
  EXPECT_EQ(knob.Wheel(3, -1, 0), 2);  // a step below 1 counts as 1
}

}  // namespace
}  // namespace orvx
