// The supervision tick shares the reports' wake-ups: a report half an interval or more after the
// last tick carries the tick, and the timer then allows half an interval more; without reports
// it ticks every interval. Time comes from a fake clock, ticks are driven by hand.
#include "UiTestSupport.h"
#include "core/Clock.h"
#include "ui/WakeSharingTimer.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

class WakeSharingTimerTest : public ::testing::Test {
protected:
  FakeClock m_time;
  int m_ticks = 0;
  CWakeSharingTimer m_timer{50, [this] { ++m_ticks; }, nullptr, &m_time};
};

TEST_F(WakeSharingTimerTest, AWakeUpCarriesATickHalfAnIntervalAfterTheLastAndPutsOffAnEarlierOne) {
  EXPECT_FALSE(m_timer.ThreadAwake()) << "a stopped timer takes no ticks";
  EXPECT_FALSE(m_timer.IsActive());
  m_timer.Start();
  EXPECT_EQ(m_timer.ScheduledDelayMs(), 50);
  m_time.Advance(24);
  EXPECT_FALSE(m_timer.ThreadAwake()) << "never closer than half an interval";
  EXPECT_EQ(m_ticks, 0);
  EXPECT_EQ(m_timer.ScheduledDelayMs(), 75) << "put off: the next wake-up should carry it";
  m_time.Advance(1);
  EXPECT_TRUE(m_timer.ThreadAwake());
  EXPECT_EQ(m_ticks, 1);
  EXPECT_EQ(m_timer.ScheduledDelayMs(), 75) << "the next report may carry the next tick too";
}

TEST_F(WakeSharingTimerTest, ReportsOutOfStepWithTheTimerTakeItsTicksFromTheSecondOn) {
  // Reports every 50 ms, each 10 ms after one of the timer's own ticks.
  m_timer.Start();
  m_time.Advance(50);
  m_timer.Tick();
  ASSERT_EQ(m_ticks, 1);
  m_time.Advance(10);
  EXPECT_FALSE(m_timer.ThreadAwake());
  for (int report = 0; report < 10; ++report) {
    m_time.Advance(50);
    EXPECT_TRUE(m_timer.ThreadAwake()) << report;  // 60 ms, then 50 ms after the last tick
  }
  EXPECT_EQ(m_ticks, 11);
}

TEST_F(WakeSharingTimerTest, ReportsAtTheTimersRateTakeEveryTickAndWithoutThemItTicksEveryInterval) {
  m_timer.Start();
  for (int report = 0; report < 20; ++report) {
    m_time.Advance(50);
    EXPECT_TRUE(m_timer.ThreadAwake()) << report;
  }
  EXPECT_EQ(m_ticks, 20);
  EXPECT_EQ(m_timer.ScheduledDelayMs(), 75) << "its own timeout never came";
  m_timer.Tick();  // the reports stopped: the timeout comes
  EXPECT_EQ(m_ticks, 21);
  EXPECT_EQ(m_timer.ScheduledDelayMs(), 50) << "back to the plain interval";
  m_timer.Stop();
  EXPECT_FALSE(m_timer.IsActive());
}

}  // namespace
}  // namespace orvx
