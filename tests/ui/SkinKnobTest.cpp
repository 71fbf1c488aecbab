#include "UiTestSupport.h"
#include "ui/SkinKnob.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

using test::Recorder;

class SkinKnobTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_knob.resize(48, 48);
    m_knob.SetRange(-20, 20);  // 40 units over 200 px: 5 px per unit
    m_knob.SetDefault(0);
    m_knob.SetSteps(1, 5);
    QObject::connect(&m_knob, &CSkinKnob::SliderMoving, m_moving.Slot());
    QObject::connect(&m_knob, &CSkinKnob::SliderReleased, m_released.Slot());
    QObject::connect(&m_knob, &CSkinKnob::SliderDblClk, m_dblclk.Slot());
  }
  CSkinKnob m_knob{nullptr, 9};
  Recorder m_moving, m_released, m_dblclk;
};

TEST_F(SkinKnobTest, VerticalDragMovesWhileDraggingAndReportsOnRelease) {
  test::Press(&m_knob, QPoint(24, 24));
  test::MoveTo(&m_knob, QPoint(24, 14));    // up 10 px: +2
  test::MoveTo(&m_knob, QPoint(30, 14));    // sideways: no change, no report
  test::MoveTo(&m_knob, QPoint(24, -200));  // far up: clamps at 20
  EXPECT_EQ(m_knob.Value(), 20);
  const std::vector<std::pair<int, int>> moving{{9, 2}, {9, 20}};
  EXPECT_EQ(m_moving.calls, moving);
  test::Release(&m_knob, QPoint(24, -200));
  ASSERT_EQ(m_released.calls.size(), 1u);
  EXPECT_EQ(m_released.calls[0], std::make_pair(9, 20));
}

TEST_F(SkinKnobTest, SetValueIsSilentAndWaitsForTheHand) {
  m_knob.SetValue(50);
  EXPECT_EQ(m_knob.Value(), 20);
  test::Press(&m_knob, QPoint(24, 24));
  m_knob.SetValue(-7);
  EXPECT_EQ(m_knob.Value(), 20);
  test::Release(&m_knob, QPoint(24, 24));
  m_knob.SetValue(-7);
  EXPECT_EQ(m_knob.Value(), -7);
  EXPECT_TRUE(m_moving.calls.empty());
  EXPECT_EQ(m_released.calls.size(), 1u);  // only the operator's release
}

TEST_F(SkinKnobTest, DoubleClickReturnsToTheDefault) {
  m_knob.SetValue(12);
  test::DoubleClick(&m_knob, QPoint(24, 24));
  EXPECT_EQ(m_knob.Value(), 0);
  ASSERT_EQ(m_dblclk.calls.size(), 1u);
  EXPECT_EQ(m_dblclk.calls[0], std::make_pair(9, 0));
}

TEST_F(SkinKnobTest, WheelAndKeysStepAndReportReleased) {
  m_knob.SetValue(0);
  test::Turn(&m_knob, 120);
  test::Turn(&m_knob, -240);
  test::Key(&m_knob, Qt::Key_PageUp);
  test::Key(&m_knob, Qt::Key_End);
  test::Key(&m_knob, Qt::Key_Up);  // at the maximum: still reports
  const std::vector<std::pair<int, int>> released{{9, 1}, {9, -1}, {9, 4}, {9, 20}, {9, 20}};
  EXPECT_EQ(m_released.calls, released);
}

}  // namespace
}  // namespace orvx
