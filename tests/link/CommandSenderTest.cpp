#include "link/CommandSender.h"

#include <gtest/gtest.h>

#include "link/FrameChecksum.h"
#include "link/LinkTestDoubles.h"

namespace orvx {
namespace {

using Step = std::pair<std::size_t, int>;

class Sender : public ::testing::Test {
protected:
  Sender() { s.ResetToDefaults(); }
  CDeviceState s;
  test::Timeline t;
  test::RecordingSink sink{t};
  test::RecordingPacer pacer{t};
  CCommandSender sender{sink, pacer};
};

TEST_F(Sender, PauseOnlyAfterZWAndX) {
  struct Case {
    std::string frame;
    int pause;
  } cases[] = {
      {FrameZ(), 10},    {FrameW(1), 10},   {FrameX(s, 4), 10}, {FrameA(s, 1), 0},
      {FrameH(s, 1), 0}, {FrameQ(true), 0}, {FrameM(s), 0},     {FrameR(), 0},
  };
  for (const Case& c : cases) {
    t.entries.clear();
    EXPECT_TRUE(sender.Send(c.frame, "127.0.0.1"));
    EXPECT_EQ(t.Schedule(), (std::vector<Step>{{c.frame.size(), c.pause}})) << c.frame;
    EXPECT_EQ(t.entries.front().bytes, c.frame);
    EXPECT_EQ(t.entries.front().ip, "127.0.0.1");
  }
}

TEST_F(Sender, RefusedFrameSendsNothing) {
  EXPECT_FALSE(sender.SendA(s, "127.0.0.1", 0));
  EXPECT_FALSE(sender.SendX(s, "127.0.0.1", 9));
  EXPECT_TRUE(t.entries.empty());
}

TEST_F(Sender, FailedSendStillPausesAndIsReported) {
  test::Timeline failed;
  test::RecordingSink refusing(failed, false);
  test::RecordingPacer p(failed);
  CCommandSender s2(refusing, p);
  EXPECT_FALSE(s2.SendZ("127.0.0.1"));
  EXPECT_EQ(failed.Schedule(), (std::vector<Step>{{FrameZ().size(), 10}}));
}

TEST_F(Sender, RunFollowsThePlanInOrder) {
  const FramePlan plan{{FrameQ(false), 20}, {FrameA(s, 1), 0}, {FrameM(s), 20}, {FrameQ(true), 20}};
  EXPECT_TRUE(sender.Run(plan, "127.0.0.2"));
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
