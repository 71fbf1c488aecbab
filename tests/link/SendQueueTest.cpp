#include "link/SendQueue.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace orvx {
namespace {

class Recorder final : public IDatagramSink {
public:
  bool SendDatagram(std::string_view bytes, const std::string& ip) override {
    std::lock_guard lock(m_mutex);
    sent.emplace_back(std::string(bytes) + "@" + ip);
    return true;
  }
  std::vector<std::string> Sent() {
    std::lock_guard lock(m_mutex);
    return sent;
  }

private:
  std::mutex m_mutex;
  std::vector<std::string> sent;
};

class NoPause final : public IPacer {
public:
  void Pause(int) override {}
};

Outgoing Frame(const std::string& text, std::uint64_t key = 0, bool throttled = false) {
  Outgoing o;
  o.datagrams = {Datagram{text, 0}};
  o.ip = "127.0.0.9";
  o.key = key;
  o.throttled = throttled;
  return o;
}

TEST(SendScheduler, KeepsOrderCoalescesUnsentKeysAndActsInTurn) {
  CSendScheduler s;
  int acted = 0;
  s.Push(Frame("a1", 1), 0);
  s.Push(Frame("b", 0), 0);
  s.Push(Frame("a2", 1), 0);  // a1 has not left: it goes, a2 joins the tail
  Outgoing act;
  act.action = [&] { ++acted; };
  s.Push(std::move(act), 0);
  s.Push(Frame("c", 0), 0);
  std::vector<std::string> order;
  while (auto d = s.PopDue(0)) {
    if (d->action) {
      d->action();
      order.push_back("act");
    } else {
      order.push_back(d->datagram.bytes);
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a2", "act", "c"}));
  EXPECT_EQ(acted, 1);
  EXPECT_TRUE(s.Empty());
}

TEST(SendScheduler, HoldsThrottledFramesUntilTheIntervalAndDropsThemForTheFinalValue) {
  CSendScheduler s;
  s.SetInterval(100);
  s.Push(Frame("v1", 7, true), 0);
  ASSERT_EQ(s.PopDue(0)->datagram.bytes, "v1");
  s.Push(Frame("v2", 7, true), 30);
  s.Push(Frame("v3", 7, true), 60);
  EXPECT_FALSE(s.PopDue(60).has_value());
  EXPECT_EQ(s.NextHeldDue(), 100);
  EXPECT_EQ(s.PopDue(100)->datagram.bytes, "v3");
  s.Push(Frame("v4", 7, true), 120);
  s.Push(Frame("final", 7, false), 130);
  EXPECT_EQ(s.PopDue(130)->datagram.bytes, "final") << "the release goes at once";
  EXPECT_TRUE(s.Empty());
}

TEST(SendQueue, ThreadSendsAPlanInOrderAndReportsProgress) {
  Recorder sink;
  NoPause pacer;
  SteadyClock clock;
  CSendQueue queue(sink, pacer, clock);
  queue.Start();
  FramePlan plan;
  for (int i = 0; i < 60; ++i) plan.push_back(Datagram{"f" + std::to_string(i), 1});
  const std::uint32_t id = queue.SubmitPlan(plan, "127.0.0.9");
  queue.Push(Frame("after"));
  ASSERT_TRUE(queue.WaitIdle(5000));
  const auto sent = queue.Progress(id);
  EXPECT_EQ(sent.sent, 60);
  EXPECT_TRUE(sent.Done());
  const auto all = sink.Sent();
  ASSERT_EQ(all.size(), 61u);
  EXPECT_EQ(all.front(), "f0@127.0.0.9");
  EXPECT_EQ(all[59], "f59@127.0.0.9");
  EXPECT_EQ(all.back(), "after@127.0.0.9");
  queue.Stop();
}

// Finished plans are forgotten after a while: a long session of group keys must not grow the
// queue's bookkeeping without end, while the latest plans still report their progress.
TEST(SendQueue, ForgetsLongFinishedPlansAndKeepsTheLatest) {
  Recorder sink;
  NoPause pacer;
  FakeClock clock;
  CSendQueue queue(sink, pacer, clock);
  std::vector<std::uint32_t> ids;
  for (std::size_t i = 0; i < CSendQueue::kKeptFinishedPlans + 4; ++i) {
    ids.push_back(queue.SubmitPlan({Datagram{"p", 0}, Datagram{"q", 0}}, "127.0.0.9"));
    queue.PumpDue();
  }
  const std::uint32_t running = queue.SubmitPlan({Datagram{"r", 0}}, "127.0.0.9");
  EXPECT_EQ(queue.Progress(ids.front()).total, 0) << "forgotten: reads as done with nothing to send";
  EXPECT_TRUE(queue.Progress(ids.front()).Done());
  EXPECT_EQ(queue.Progress(ids.back()).sent, 2) << "the latest keep their progress";
  EXPECT_EQ(queue.Progress(running).total, 1);
  EXPECT_FALSE(queue.Progress(running).Done()) << "a plan not yet sent is never forgotten";
}

}  // namespace
}  // namespace orvx
