#include "ui/ButtonFace.h"
#include "ui/MenuItemMetrics.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

struct FaceCase {
  bool toggle, unavailable, checked, pressed, hovered;
  FaceSlot face;
};

class ChooseFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ChooseFaceTest, PicksTheFaceOfTheTable) {
  const FaceCase& c = GetParam();
  EXPECT_EQ(ChooseFace(c.toggle, c.unavailable, c.checked, c.pressed, c.hovered), c.face);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChooseFaceTest,
                         ::testing::Values(FaceCase{true, true, true, true, true, FaceSlot::Third},
                                           FaceCase{true, false, true, false, false, FaceSlot::Second},
                                           FaceCase{true, false, false, true, true, FaceSlot::First},
                                           FaceCase{false, true, false, true, true, FaceSlot::First},
                                           FaceCase{false, false, false, true, false, FaceSlot::Second},
                                           FaceCase{false, false, false, false, true, FaceSlot::Second},
                                           FaceCase{false, false, true, false, false, FaceSlot::First}));

TEST(CaptionStateTest, FirstConditionThatHoldsWins) {
  EXPECT_EQ(ChooseCaptionState(false, true, true), CaptionState::Gray);
  EXPECT_EQ(ChooseCaptionState(true, false, true), CaptionState::Normal);
  EXPECT_EQ(ChooseCaptionState(true, true, true), CaptionState::Down);
  EXPECT_EQ(ChooseCaptionState(true, true, false), CaptionState::Over);
}

TEST(MenuItemMetricsTest, ItemSizes) {
  const MenuItemMetrics m;
  EXPECT_EQ(m.ItemSize(true, 80, false, false).height(), 10);
  EXPECT_EQ(m.ItemSize(false, 0, false, false), QSize(16, 19));  // empty text: icon width wide
  EXPECT_EQ(m.ItemSize(false, 50, true, false), QSize(96, 19));
  EXPECT_EQ(m.ItemSize(false, 50, false, true), QSize(81, 19));
  EXPECT_EQ(m.ItemSize(false, 50, true, true), QSize(111, 19));
  EXPECT_EQ(m.TextLeft(), 26);
  EXPECT_EQ(m.StripWidth(), 21);
}

}  // namespace
}  // namespace orvx
