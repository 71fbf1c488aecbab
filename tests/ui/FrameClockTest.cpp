// Meters share one frame clock that ticks only while something moves: a new value asks for a frame,
// a falling peak keeps the frames coming until it rests, a value that changes nothing drawn asks
// for none; hidden meters take no frames. Time comes from a fake clock; frames are delivered by
// hand, so nothing here depends on the machine's timing.
#include "UiTestSupport.h"
#include "core/Clock.h"
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
    meter->SetPlotMargins(0, 0);
    meter->setGeometry(0, 0, 20, 200);  // 200 pixels for 0..50: 4 a unit
    return meter;
  }
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      QCoreApplication::processEvents();  // posted update requests are painted here
    }
  }
  /// Moves the fake time on and delivers the frame due then, as the timer would.
  void FrameAfter(int ms) {
    m_time.Advance(ms);
    m_clock.Tick(ms);
  }

  FakeClock m_time;
  CFrameClock m_clock{nullptr, &m_time};
  QWidget m_window;
};

TEST_F(FrameClockTest, NothingTicksWhileNothingMoves) {
  CLevelGraph* meter = AddMeter();
  m_window.show();
  EXPECT_EQ(m_clock.SubscriberCount(), 1);
  EXPECT_FALSE(m_clock.IsRunning()) << "a visible meter at rest wants no frames";

  meter->SetValue(0, 0.0);  // the value it shows already
  EXPECT_FALSE(m_clock.IsRunning());

  meter->SetValue(0, 30.0);
  EXPECT_TRUE(m_clock.IsRunning());
  EXPECT_EQ(m_clock.ScheduledDelayMs(), 0) << "the first new value is shown at once";
  FrameAfter(0);
  EXPECT_FALSE(meter->Moving()) << "a rising bar carries its peak with it";
  EXPECT_FALSE(m_clock.IsRunning()) << "shown, and nothing falls: the clock stops";

  meter->SetValue(0, 30.1);  // less than a pixel
  EXPECT_FALSE(m_clock.IsRunning()) << "a change that draws nothing new asks for no frame";
}

TEST_F(FrameClockTest, NewValuesComeAtMostThirtyTimesASecond) {
  CLevelGraph* meter = AddMeter();
  m_window.show();
  meter->SetValue(0, 10.0);
  FrameAfter(0);
  m_time.Advance(10);
  meter->SetValue(0, 20.0);
  EXPECT_EQ(m_clock.ScheduledDelayMs(), CFrameClock::kIntervalMs - 10);
  meter->SetValue(0, 25.0);  // a second value before that frame joins it
  EXPECT_EQ(m_clock.ScheduledDelayMs(), CFrameClock::kIntervalMs - 10);
  FrameAfter(CFrameClock::kIntervalMs - 10);
  EXPECT_FALSE(m_clock.IsRunning());
  m_time.Advance(200);
  meter->SetValue(0, 40.0);
  EXPECT_EQ(m_clock.ScheduledDelayMs(), 0) << "long after the last frame: at once";
}

TEST_F(FrameClockTest, AFallingPeakKeepsTheClockUntilItRests) {
  CLevelGraph* meter = AddMeter();
  m_window.show();
  meter->SetValue(0, 40.0);
  FrameAfter(0);
  meter->SetValue(0, 0.0);
  FrameAfter(CFrameClock::kIntervalMs);
  EXPECT_TRUE(meter->Moving());
  EXPECT_TRUE(m_clock.IsRunning()) << "the peak has still to fall";
  EXPECT_EQ(m_clock.ScheduledDelayMs(), CFrameSchedule::kAwaitReportMs) << "the next report may carry it";
  int frames = 0;
  while (m_clock.IsRunning() && frames < 1000) {
    FrameAfter(CFrameClock::kIntervalMs);
    ++frames;
  }
  EXPECT_DOUBLE_EQ(meter->Peak(0), 0.0);
  EXPECT_FALSE(m_clock.IsRunning());
  // Held 1 s, then 40 units at 20 a second: about 3 s of frames, then none.
  EXPECT_GE(frames, 2900 / CFrameClock::kIntervalMs);
  EXPECT_LE(frames, 3100 / CFrameClock::kIntervalMs + 1);
}

TEST_F(FrameClockTest, HiddenMetersTakeNoFramesAndTheLastMoverGoingStopsTheClock) {
  CLevelGraph* shown = AddMeter();
  CLevelGraph* hidden = AddMeter();
  hidden->hide();
  m_window.show();
  hidden->SetValue(0, 20.0);
  EXPECT_FALSE(m_clock.IsRunning()) << "a hidden meter only stores";
  shown->SetValue(0, 40.0);
  FrameAfter(0);
  shown->SetValue(0, 0.0);
  FrameAfter(CFrameClock::kIntervalMs);
  EXPECT_EQ(shown->Frames(), 2);
  EXPECT_EQ(hidden->Frames(), 0);
  EXPECT_TRUE(m_clock.IsRunning());
  shown->hide();
  EXPECT_FALSE(m_clock.IsRunning()) << "nobody left who moves";

  hidden->show();
  EXPECT_FALSE(m_clock.IsRunning()) << "shown at its stored value, which does not fall";
  shown->show();
  EXPECT_TRUE(m_clock.IsRunning()) << "its peak goes on falling where it stopped";
  delete shown;
  EXPECT_EQ(m_clock.SubscriberCount(), 1);
  EXPECT_FALSE(m_clock.IsRunning());
}

TEST_F(FrameClockTest, VisibleMeterRepaintsAfterAChangeAndOnlyThen) {
  CLevelGraph* meter = AddMeter();
  PaintCounter counter;
  meter->installEventFilter(&counter);
  m_window.show();
  Settle();
  const int paints = counter.paints;
  const int requests = meter->RepaintRequests();

  meter->SetValue(0, 30.0);
  EXPECT_EQ(counter.paints, paints);  // storing a value never paints by itself ...
  Settle();                           // ... the clock's own timer brings the frame that does
  EXPECT_EQ(meter->RepaintRequests(), requests + 1);
  EXPECT_GT(counter.paints, paints);
  EXPECT_FALSE(m_clock.IsRunning());

  const int painted = counter.paints;
  meter->SetValue(0, 30.0);
  FrameAfter(CFrameClock::kIntervalMs);  // a frame with nothing new
  Settle();
  EXPECT_EQ(meter->RepaintRequests(), requests + 1);
  EXPECT_EQ(counter.paints, painted);
}

TEST_F(FrameClockTest, PeaksFallByTheTimeEachFrameCarries) {
  CLevelGraph* meter = AddMeter();
  m_window.show();
  meter->SetValue(0, 40.0);
  meter->SetValue(0, 0.0);
  FrameAfter(1000);  // the peak's hold time
  EXPECT_DOUBLE_EQ(meter->Peak(0), 40.0);
  FrameAfter(500);  // then 20 units a second
  EXPECT_DOUBLE_EQ(meter->Peak(0), 30.0);
}

}  // namespace
}  // namespace orvx
