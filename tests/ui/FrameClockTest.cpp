// Meters share one frame clock: its timer runs only while a visible meter follows it and the
// clock is enabled; hidden meters take no frames; a visible meter repaints after a change only.
#include "UiTestSupport.h"
#include "ui/FrameClock.h"
#include "ui/LevelGraph.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

/// Counts the paint events a widget really receives.
class PaintCounter : public QObject {
public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
    }
    return false;
  }
};

class FrameClockTest : public ::testing::Test {
protected:
  CLevelGraph* AddMeter() {
    auto* meter = new CLevelGraph(&m_window);
    meter->SetFrameClock(&m_clock);
    meter->SetColumnCount(1);
    meter->setGeometry(0, 0, 20, 200);
    return meter;
  }
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      QCoreApplication::processEvents();  // posted update requests are painted here
    }
  }

  CFrameClock m_clock;
  QWidget m_window;
};

TEST_F(FrameClockTest, TimerRunsOnlyWhileAVisibleMeterFollowsAnEnabledClock) {
  CLevelGraph* meter = AddMeter();
  EXPECT_FALSE(m_clock.IsRunning());  // nobody visible yet
  m_window.show();
  EXPECT_EQ(m_clock.SubscriberCount(), 1);
  EXPECT_TRUE(m_clock.IsRunning());
  m_clock.SetEnabled(false);  // offline
  EXPECT_FALSE(m_clock.IsRunning());
  EXPECT_EQ(m_clock.SubscriberCount(), 1);
  m_clock.SetEnabled(true);
  EXPECT_TRUE(m_clock.IsRunning());
  m_window.hide();
  EXPECT_EQ(m_clock.SubscriberCount(), 0);
  EXPECT_FALSE(m_clock.IsRunning());
  m_window.show();
  EXPECT_TRUE(m_clock.IsRunning());
  delete meter;
  EXPECT_EQ(m_clock.SubscriberCount(), 0);
  EXPECT_FALSE(m_clock.IsRunning());
}

TEST_F(FrameClockTest, HiddenMeterGetsNoFrames) {
  CLevelGraph* shown = AddMeter();
  CLevelGraph* hidden = AddMeter();
  hidden->hide();
  m_window.show();
  for (int i = 0; i < 3; ++i) {
    m_clock.Tick(CFrameClock::kIntervalMs);
  }
  EXPECT_EQ(m_clock.Ticks(), 3u);
  EXPECT_EQ(shown->Frames(), 3);
  EXPECT_EQ(hidden->Frames(), 0);
  shown->hide();
  hidden->show();
  m_clock.Tick(CFrameClock::kIntervalMs);
  EXPECT_EQ(shown->Frames(), 3);
  EXPECT_EQ(hidden->Frames(), 1);
}

TEST_F(FrameClockTest, VisibleMeterRepaintsAfterAChangeAndOnlyThen) {
  CLevelGraph* meter = AddMeter();
  PaintCounter counter;
  meter->installEventFilter(&counter);
  m_window.show();
  m_clock.Tick(CFrameClock::kIntervalMs);
  Settle();
  const int paints = counter.paints;
  const int requests = meter->RepaintRequests();

  m_clock.Tick(CFrameClock::kIntervalMs);  // nothing changed
  Settle();
  EXPECT_EQ(meter->RepaintRequests(), requests);
  EXPECT_EQ(counter.paints, paints);

  meter->SetValue(0, 30.0);
  Settle();
  EXPECT_EQ(counter.paints, paints);  // storing a value never paints by itself
  m_clock.Tick(CFrameClock::kIntervalMs);
  Settle();
  EXPECT_EQ(meter->RepaintRequests(), requests + 1);
  EXPECT_GT(counter.paints, paints);
}

TEST_F(FrameClockTest, PeaksFallByTheTimeEachFrameCarries) {
  CLevelGraph* meter = AddMeter();
  m_window.show();
  meter->SetValue(0, 40.0);
  meter->SetValue(0, 0.0);
  m_clock.Tick(1000);  // the peak's hold time
  EXPECT_DOUBLE_EQ(meter->Peak(0), 40.0);
  m_clock.Tick(500);  // then 20 units a second
  EXPECT_DOUBLE_EQ(meter->Peak(0), 30.0);
}

}  // namespace
}  // namespace orvx
