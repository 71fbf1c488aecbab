#include "UiTestSupport.h"
#include "ui/SkinSlider.h"
#include "ui/UiMessages.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

using test::Recorder;

// A vertical fader 40 x 200, painted 20-pixel thumb, range 0..100, no margins: the thumb centre
// is at 10 + 1.8 x position.
class SkinSliderTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::App();
    m_slider.SetVertical(true);
    m_slider.SetPaintedThumbSize(QSize(30, 20));
    m_slider.resize(40, 200);
    m_slider.SetRange(0, 100);
    connect(&m_slider, &CSkinSlider::SliderMoving, m_moving.Slot());
    connect(&m_slider, &CSkinSlider::SliderReleased, m_released.Slot());
    connect(&m_slider, &CSkinSlider::SliderDblClk, m_dblclk.Slot());
  }
  static void connect(CSkinSlider* s, void (CSkinSlider::*signal)(int, int), auto slot) {
    QObject::connect(s, signal, slot);
  }
  QPoint AtY(int y) const { return {20, y}; }

  CSkinSlider m_slider{nullptr, 77};
  Recorder m_moving, m_released, m_dblclk;
};

TEST_F(SkinSliderTest, SetPosClampsAndNeverEmits) {
  m_slider.SetPos(250);
  EXPECT_EQ(m_slider.Pos(), 100);
  m_slider.SetPos(-3);
  EXPECT_EQ(m_slider.Pos(), 0);
  EXPECT_TRUE(m_moving.calls.empty());
  EXPECT_TRUE(m_released.calls.empty());
  EXPECT_EQ(m_slider.ThumbRect().center().y() + 1, 10);  // 20-pixel rect: centre() rounds down
}

TEST_F(SkinSliderTest, PressNearTheCentreKeepsTheThumbUnderThePointer) {
  m_slider.SetPos(50);  // centre 100
  test::Press(&m_slider, AtY(103));
  EXPECT_TRUE(m_slider.IsPressed());
  EXPECT_EQ(m_slider.Pos(), 50);
  EXPECT_TRUE(m_moving.calls.empty());
  test::MoveTo(&m_slider, AtY(121));  // 18 pixels further: ten positions
  EXPECT_EQ(m_slider.Pos(), 60);
  ASSERT_EQ(m_moving.calls.size(), 1u);
  EXPECT_EQ(m_moving.calls[0], std::make_pair(77, 60));
  test::Release(&m_slider, AtY(121));
  EXPECT_FALSE(m_slider.IsPressed());
  ASSERT_EQ(m_released.calls.size(), 1u);
  EXPECT_EQ(m_released.calls[0], std::make_pair(77, 60));
}

TEST_F(SkinSliderTest, VerticalPressOutsideTheThumbIsIgnored) {
  m_slider.SetPos(50);
  test::Press(&m_slider, AtY(140));
  EXPECT_FALSE(m_slider.IsPressed());
  EXPECT_EQ(m_slider.Pos(), 50);
  test::Release(&m_slider, AtY(140));
  EXPECT_TRUE(m_released.calls.empty());
}

TEST_F(SkinSliderTest, HorizontalPressFarFromTheThumbMakesItJump) {
  CSkinSlider slider(nullptr, 5);
  slider.SetPaintedThumbSize(QSize(20, 20));
  slider.resize(200, 30);
  slider.SetRange(0, 100);
  Recorder moving;
  QObject::connect(&slider, &CSkinSlider::SliderMoving, moving.Slot());
  slider.SetPos(50);                      // centre 100
  test::Press(&slider, QPoint(140, 15));  // 40 away: jumps, centre under the pointer
  EXPECT_EQ(slider.Pos(), 72);            // trunc((140 - 10) / 180 x 100)
  ASSERT_EQ(moving.calls.size(), 1u);
  test::MoveTo(&slider, QPoint(149, 15));
  EXPECT_EQ(slider.Pos(), 77);
}

TEST_F(SkinSliderTest, DraggingBeyondTheEndClampsAndPostsNothingWhenUnchanged) {
  m_slider.SetPos(98);  // centre 186
  test::Press(&m_slider, AtY(186));
  test::MoveTo(&m_slider, AtY(400));
  EXPECT_EQ(m_slider.Pos(), 100);
  EXPECT_EQ(m_slider.ThumbRect().bottom(), 199);
  ASSERT_EQ(m_moving.calls.size(), 1u);
  test::MoveTo(&m_slider, AtY(500));
  test::MoveTo(&m_slider, AtY(191));
  EXPECT_EQ(m_moving.calls.size(), 1u);
}

TEST_F(SkinSliderTest, ValuesFromOutsideAreIgnoredWhileTheThumbIsHeld) {
  m_slider.SetPos(50);
  test::Press(&m_slider, AtY(100));
  m_slider.SetPos(10);  // a report arriving mid-drag
  EXPECT_EQ(m_slider.Pos(), 50);
  test::Release(&m_slider, AtY(100));
  m_slider.SetPos(10);
  EXPECT_EQ(m_slider.Pos(), 10);
}

TEST_F(SkinSliderTest, KeysStepAndAlwaysPostReleased) {
  m_slider.SetPos(0);
  test::Key(&m_slider, Qt::Key_Home);
  ASSERT_EQ(m_released.calls.size(), 1u);
  EXPECT_EQ(m_released.calls[0], std::make_pair(77, 0));
  test::Key(&m_slider, Qt::Key_PageDown);
  test::Key(&m_slider, Qt::Key_Down);
  test::Key(&m_slider, Qt::Key_Up);
  test::Key(&m_slider, Qt::Key_End);
  ASSERT_EQ(m_released.calls.size(), 5u);
  EXPECT_EQ(m_released.calls[1].second, 20);
  EXPECT_EQ(m_released.calls[2].second, 21);
  EXPECT_EQ(m_released.calls[3].second, 20);
  EXPECT_EQ(m_released.calls[4].second, 100);
  EXPECT_TRUE(m_moving.calls.empty());
}

TEST_F(SkinSliderTest, WheelNotchMovesTheThumbUpAndPostsReleased) {
  m_slider.SetPos(30);
  test::Turn(&m_slider, 60);
  EXPECT_TRUE(m_released.calls.empty());
  test::Turn(&m_slider, 60);
  ASSERT_EQ(m_released.calls.size(), 1u);
  EXPECT_EQ(m_slider.Pos(), 29);
  test::Turn(&m_slider, -240);
  EXPECT_EQ(m_slider.Pos(), 31);
  EXPECT_EQ(m_released.calls.size(), 3u);
}

TEST_F(SkinSliderTest, DoubleClickPostsItsOwnMessageWithoutMoving) {
  m_slider.SetPos(40);
  test::DoubleClick(&m_slider, AtY(20));
  ASSERT_EQ(m_dblclk.calls.size(), 1u);
  EXPECT_EQ(m_dblclk.calls[0], std::make_pair(77, 40));
  EXPECT_EQ(m_slider.Pos(), 40);
}

TEST_F(SkinSliderTest, DisabledSliderIgnoresMouseAndKeys) {
  m_slider.SetPos(50);
  m_slider.Enable(false);
  test::Press(&m_slider, AtY(100));
  test::Key(&m_slider, Qt::Key_End);
  EXPECT_FALSE(m_slider.IsPressed());
  EXPECT_EQ(m_slider.Pos(), 50);
  EXPECT_TRUE(m_released.calls.empty());
}

TEST_F(SkinSliderTest, AlternativeThumbFollowsTheThumbMode) {
  m_slider.SetPos(50);
  EXPECT_FALSE(m_slider.AlternativeThumbShown());
  test::Press(&m_slider, AtY(100));
  EXPECT_TRUE(m_slider.AlternativeThumbShown());
  test::Release(&m_slider, AtY(100));
  m_slider.SetThumbMode(2);
  m_slider.SetReferencePos(50);
  EXPECT_TRUE(m_slider.AlternativeThumbShown());
  m_slider.SetPos(51);
  EXPECT_FALSE(m_slider.AlternativeThumbShown());
}

TEST_F(SkinSliderTest, MissingBitmapsLeaveNothingHalfLoaded) {
  EXPECT_FALSE(m_slider.SetChannelBitmaps("no_such_image", ""));
  EXPECT_FALSE(m_slider.LabelDrawn());
  EXPECT_EQ(m_slider.size(), QSize(40, 200));
  EXPECT_FALSE(m_slider.SetThumbBitmaps("no_such_image"));
  EXPECT_EQ(m_slider.ThumbRect().height(), 20);  // still the painted thumb
}

TEST(SkinSliderCapTest, TheCapSitsOnTheSlotsCentreLine) {
  struct Case {
    bool vertical;
    QSize size;
    int capAcross;
  };
  for (const Case& c : {Case{true, {40, 200}, 30}, Case{true, {41, 200}, 30}, Case{true, {44, 200}, 36},
                        Case{true, {24, 200}, 30}, Case{false, {200, 28}, 15}, Case{false, {200, 27}, 20}}) {
    CSkinSlider slider;
    slider.SetVertical(c.vertical);
    slider.SetPaintedThumbSize(QSize(c.capAcross, 20));
    slider.resize(c.size);
    slider.SetPos(37);
    const QPointF cap = QRectF(slider.ThumbRect()).center();
    const QPointF slot = slider.SlotRect().center();
    if (c.vertical) {
      EXPECT_DOUBLE_EQ(cap.x(), slot.x()) << c.size.width() << " wide, cap " << c.capAcross;
    } else {
      EXPECT_DOUBLE_EQ(cap.y(), slot.y()) << c.size.height() << " high, cap " << c.capAcross;
    }
  }
}

TEST(SliderMessagesTest, NumbersAreTheSystemsOwn) {
  EXPECT_EQ(SLIDER_MOVING, 10449);
  EXPECT_EQ(SLIDER_RELEASED, 10450);
  EXPECT_EQ(SLIDER_DBLCLK, 10451);
  EXPECT_EQ(DROPDOWN_SELECTED, 1126);
}

}  // namespace
}  // namespace orvx
