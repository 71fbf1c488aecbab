#include "link/FramePlan.h"

#include <gtest/gtest.h>

#include "link/Commands.h"
#include "link/FrameChecksum.h"
#include "link/LinkTestDoubles.h"
#include "link/SendQueue.h"

namespace orvx {
namespace {

using Step = std::pair<std::size_t, int>;

/// Frames leave through the send queue with the pauses the processor needs.
class FramePacing : public ::testing::Test {
protected:
  FramePacing() { s.ResetToDefaults(); }
  void Send(const std::string& frame, const std::string& ip = "127.0.0.1") {
    queue.Push(Outgoing{PlanFrame(frame), ip, 0, false, 0, {}});
    queue.PumpDue();
  }
  CDeviceState s;
  test::Timeline t;
  test::RecordingSink sink{t};
  test::RecordingPacer pacer{t};
  FakeClock clock;
  CSendQueue queue{sink, pacer, clock};
};

TEST_F(FramePacing, PauseOnlyAfterZWAndX) {
  struct Case {
    std::string frame;
    int pause;
  } cases[] = {
      {FrameZ(), 10},    {FrameW(1), 10},   {FrameX(s, 4), 10}, {FrameA(s, 1), 0},
      {FrameH(s, 1), 0}, {FrameQ(true), 0}, {FrameM(s), 0},     {FrameR(), 0},
  };
  for (const Case& c : cases) {
    t.entries.clear();
    Send(c.frame);
    EXPECT_EQ(t.Schedule(), (std::vector<Step>{{c.frame.size(), c.pause}})) << c.frame;
    EXPECT_EQ(t.entries.front().bytes, c.frame);
    EXPECT_EQ(t.entries.front().ip, "127.0.0.1");
  }
}

TEST_F(FramePacing, ARefusedFrameSendsNothing) {
  Send(FrameA(s, 0));
  Send(FrameX(s, 9));
  EXPECT_TRUE(t.entries.empty());
}

TEST_F(FramePacing, AFailedSendStillPausesAndIsNotRetried) {
  test::Timeline failed;
  test::RecordingSink refusing(failed, false);
  test::RecordingPacer p(failed);
  CSendQueue q(refusing, p, clock);
  q.Push(Outgoing{PlanFrame(FrameZ()), "127.0.0.1", 0, false, 0, {}});
  EXPECT_EQ(q.PumpDue(), 1);
  EXPECT_EQ(failed.Schedule(), (std::vector<Step>{{FrameZ().size(), 10}}));
}

TEST_F(FramePacing, APlanFollowsItsOrderAndPauses) {
  const FramePlan plan{{FrameQ(false), 20}, {FrameA(s, 1), 0}, {FrameM(s), 20}, {FrameQ(true), 20}};
  queue.SubmitPlan(plan, "127.0.0.2");
  EXPECT_EQ(queue.PumpDue(), 4);
  ASSERT_EQ(t.Schedule(), (std::vector<Step>{{plan[0].bytes.size(), 20},
                                             {plan[1].bytes.size(), 0},
                                             {plan[2].bytes.size(), 20},
                                             {plan[3].bytes.size(), 20}}));
  EXPECT_EQ(t.SentBytes(), plan[0].bytes + plan[1].bytes + plan[2].bytes + plan[3].bytes);
}

TEST(PlanFrame, NameFrameSplitsInto256BytePieces) {
  const std::string frame = CompleteFrame("%V,01,01," + std::string(32, '0') + "," + std::string(576, '0') + ",");
  const FramePlan plan = PlanFrame(frame);
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0].bytes + plan[1].bytes + plan[2].bytes, frame);
  for (const Datagram& d : plan) EXPECT_EQ(d.pauseAfterMs, 10);
  EXPECT_TRUE(PlanFrame("").empty());
}

}  // namespace
}  // namespace orvx
