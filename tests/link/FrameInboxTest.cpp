#include "link/FrameInbox.h"

#include <gtest/gtest.h>

#include <thread>

namespace orvx {
namespace {

ReceivedFrame Frame(const std::string& text) { return ReceivedFrame{text, "127.0.0.1", 39030}; }

TEST(FrameInbox, KeepsOrderAndDropsOldestAboveCapacity) {
  CFrameInbox inbox(3);
  for (const char* t : {"a", "b", "c", "d", "e"}) inbox.Push(Frame(t));
  EXPECT_EQ(inbox.Size(), 3u);
  EXPECT_EQ(inbox.Dropped(), 2u);
  std::vector<std::string> got;
  EXPECT_EQ(inbox.DrainInto([&](ReceivedFrame& f) { got.push_back(f.text); }), 3u);
  EXPECT_EQ(got, (std::vector<std::string>{"c", "d", "e"}));
  EXPECT_FALSE(inbox.TryPop().has_value());
}

TEST(FrameInbox, WaitPopTimesOutWhenEmpty) {
  CFrameInbox inbox;
  EXPECT_FALSE(inbox.WaitPop(1).has_value());
  inbox.Push(Frame("x"));
  const auto f = inbox.TryPop();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->text, "x");
  EXPECT_EQ(f->fromPort, 39030);
}

TEST(FrameInbox, WaitPopWakesForAFrameFromAnotherThread) {
  CFrameInbox inbox;
  constexpr int kFrames = 500;
  std::thread producer([&] {
    for (int i = 0; i < kFrames; ++i) inbox.Push(Frame(std::to_string(i)));
  });
  int expected = 0;
  while (expected < kFrames) {
    const auto f = inbox.WaitPop(5000);
    ASSERT_TRUE(f.has_value()) << "frame " << expected << " never came";
    EXPECT_EQ(f->text, std::to_string(expected));
    ++expected;
  }
  producer.join();
  EXPECT_EQ(inbox.Dropped(), 0u);
}

}  // namespace
}  // namespace orvx
