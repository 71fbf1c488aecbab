#include "UiTestSupport.h"
#include "ui/LevelGraph.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orvx {
namespace {

class LevelGraphTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_meter.resize(20, 210);
    m_meter.SetColumnCount(1);
    m_meter.SetPlotMargins(10, 0);  // column 200 high, from y 10 to 210
    m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  }
  CLevelGraph m_meter;
};

TEST_F(LevelGraphTest, ValuesAreStoredClampedAndPaintedOnlyOnTheNextChangedFrame) {
  const int before = m_meter.RepaintRequests();
  m_meter.SetValue(0, 80.0);
  EXPECT_DOUBLE_EQ(m_meter.Value(0), 50.0);
  EXPECT_TRUE(m_meter.IsDirty());
  EXPECT_EQ(m_meter.RepaintRequests(), before);  // storing never paints
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  EXPECT_EQ(m_meter.RepaintRequests(), before + 1);
  m_meter.SetValue(0, 50.0);  // same value again: nothing to do
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  EXPECT_EQ(m_meter.RepaintRequests(), before + 1);
  m_meter.SetValue(3, 10.0);  // a column index past the shown ones is still safe
  m_meter.SetValue(12, 10.0);
  EXPECT_DOUBLE_EQ(m_meter.Value(12), 0.0);
}

TEST_F(LevelGraphTest, PeakFallsFrameByFrameAndAsksForFramesUntilItRests) {
  m_meter.SetValue(0, 40.0);
  m_meter.SetValue(0, 0.0);
  EXPECT_TRUE(m_meter.AdvanceFrame(2000)) << "still falling";
  EXPECT_LT(m_meter.Peak(0), 40.0);
  const int requests = m_meter.RepaintRequests();
  EXPECT_FALSE(m_meter.AdvanceFrame(5000)) << "at rest on the bar";
  EXPECT_DOUBLE_EQ(m_meter.Peak(0), 0.0);
  EXPECT_EQ(m_meter.RepaintRequests(), requests + 1);
  EXPECT_FALSE(m_meter.AdvanceFrame(1000));
  EXPECT_EQ(m_meter.RepaintRequests(), requests + 1) << "nothing moved, nothing to paint";
}

TEST_F(LevelGraphTest, OnlyAChangeOfWhatIsDrawnAsksForARepaint) {
  // 200 pixels for 0..50: 4 pixels a unit.
  m_meter.SetValue(0, 25.0);
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  const int requests = m_meter.RepaintRequests();
  m_meter.SetValue(0, 25.1);  // 100.4 pixels: still 100
  EXPECT_FALSE(m_meter.IsDirty());
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  EXPECT_EQ(m_meter.RepaintRequests(), requests);
  m_meter.SetValue(0, 25.3);  // 101 pixels
  EXPECT_TRUE(m_meter.IsDirty());
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  EXPECT_EQ(m_meter.RepaintRequests(), requests + 1);
  m_meter.SetStyle(0, CLevelGraph::DbScale);  // not a level, but drawn differently
  m_meter.AdvanceFrame(CLevelGraph::kFrameMs);
  EXPECT_EQ(m_meter.RepaintRequests(), requests + 2);
}

TEST_F(LevelGraphTest, FullBarLightsAllZonesAndFortyPercentOnlyTheFirst) {
  m_meter.SetPeakHold(false);
  auto lit = [&](int fromBottom) {
    const QImage image = m_meter.grab().toImage();
    return image.pixelColor(10, 210 - 1 - fromBottom);
  };
  m_meter.SetValue(0, 50.0);
  EXPECT_EQ(lit(10), QColor(219, 254, 36));
  EXPECT_EQ(lit(100), QColor(255, 176, 35));
  EXPECT_EQ(lit(190), QColor(255, 35, 35));
  m_meter.SetValue(0, 20.0);  // 40 %: 80 pixels, all in zone 1
  EXPECT_EQ(lit(78), QColor(219, 254, 36));
  EXPECT_EQ(lit(82), QColor(61, 73, 1));
  EXPECT_EQ(lit(100), QColor(72, 48, 0));
  EXPECT_EQ(lit(190), QColor(72, 0, 1));
}

}  // namespace
}  // namespace orvx
