#include "link/DeviceLink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "link/FrameChecksum.h"
#include "link/FrameInbox.h"

namespace orvx {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWaitMs = 5000;
const std::string kLoopback = "127.0.0.1";

LinkSettings Loopback(std::uint16_t remotePort = 0) {
  LinkSettings s;
  s.localIp = kLoopback;
  s.localPort = 0;  // ephemeral: parallel test runs never clash
  s.remotePort = remotePort;
  return s;
}

/// A link that queues its frames and records its errors.
struct Endpoint {
  explicit Endpoint(LinkSettings s) : link(std::move(s)) {}
  bool Start() {
    return link.Start([this](ReceivedFrame f) { inbox.Push(std::move(f)); },
                      [this](const std::string& m, const std::string& c, const std::string& d) {
                        error = m + "|" + c;
                        detail = d;
                      });
  }
  // Declared before the link: the receive thread writes them until the link is destroyed.
  CFrameInbox inbox;
  std::string error;
  std::string detail;
  CDeviceLink link;
};

/// Two started links on loopback that know each other's port.
class LinkPair : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(b.Start());
    a = std::make_unique<Endpoint>(Loopback(b.link.BoundPort()));
    ASSERT_TRUE(a->Start());
    ASSERT_NE(a->link.BoundPort(), 0);
  }
  Endpoint b{Loopback()};
  std::unique_ptr<Endpoint> a;
};

TEST_F(LinkPair, FrameTravelsAndAnswerGoesBackToItsSender) {
  ASSERT_TRUE(a->link.SendDatagram(CompleteFrame("%Q,01,01,"), kLoopback));
  const auto got = b.inbox.WaitPop(kWaitMs);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->text, "%Q,01,01,B5E1#");
  EXPECT_EQ(got->fromIp, kLoopback);
  EXPECT_EQ(got->fromPort, a->link.BoundPort());

  ASSERT_TRUE(b.link.SendDatagramTo("%R,01,00,30A0#", got->fromIp, got->fromPort));
  const auto answer = a->inbox.WaitPop(kWaitMs);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->text, "%R,01,00,30A0#");
  EXPECT_EQ(answer->fromPort, b.link.BoundPort());
}

TEST_F(LinkPair, ReassemblesAcrossDatagramsAndDropsBadFrames) {
  const std::string good = CompleteFrame("%A,01,05,01,46,");
  ASSERT_TRUE(a->link.SendDatagram("%A,01,05,01,46,0000#", kLoopback));  // bad checksum
  ASSERT_TRUE(a->link.SendDatagram(good.substr(0, 6), kLoopback));
  ASSERT_TRUE(a->link.SendDatagram(good.substr(6), kLoopback));
  ASSERT_TRUE(a->link.SendDatagram(CompleteFrame("%Z,01,"), kLoopback));
  const auto first = b.inbox.WaitPop(kWaitMs);
  const auto second = b.inbox.WaitPop(kWaitMs);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->text, good);
  EXPECT_EQ(second->text, "%Z,01,F143#");
}

TEST_F(LinkPair, AddressesMustBeDottedQuads) {
  for (const char* bad : {"localhost", "", "127.0.0", "127.0.0.1 ", "256.0.0.1"}) {
    EXPECT_FALSE(a->link.SendDatagram(CompleteFrame("%Z,01,"), bad)) << bad;
  }
}

// Senders on two owner threads while both receive threads run: the socket handle is shared
// between them (TSan checks the handover), and every frame arrives intact.
TEST_F(LinkPair, SendingFromOtherThreadsWhileReceiving) {
  constexpr int kPerThread = 150;
  constexpr int kInFlight = 32;  // keep the loopback queue short so nothing is dropped
  std::atomic<int> sent{0};
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWaitMs * 2);
  auto sender = [&](char letter) {
    for (int i = 0; i < kPerThread; ++i) {
      while (sent.load() - static_cast<int>(b.inbox.Size() + b.inbox.Dropped()) > kInFlight &&
             Clock::now() < deadline) {
        std::this_thread::yield();
      }
      std::string body = "%";
      body += letter;
      body += ",01," + std::to_string(i) + ",";
      if (a->link.SendDatagram(CompleteFrame(body), kLoopback)) sent.fetch_add(1);
    }
  };
  std::thread t1(sender, 'A');
  std::thread t2(sender, 'B');
  // Meanwhile the other side talks back on its own socket.
  for (int i = 0; i < 50; ++i) b.link.SendDatagramTo(CompleteFrame("%P,01,"), kLoopback, a->link.BoundPort());
  t1.join();
  t2.join();
  ASSERT_EQ(sent.load(), 2 * kPerThread);

  int next[2] = {0, 0};
  for (int n = 0; n < 2 * kPerThread; ++n) {
    const auto f = b.inbox.WaitPop(kWaitMs);
    ASSERT_TRUE(f.has_value()) << "only " << n << " frames arrived";
    ASSERT_TRUE(IsValidFrame(f->text));
    const int which = f->text[1] == 'A' ? 0 : 1;
    EXPECT_EQ(f->text, CompleteFrame(std::string("%") + f->text[1] + ",01," + std::to_string(next[which]) + ","));
    ++next[which];
  }
  EXPECT_EQ(b.inbox.Dropped(), 0u);
}

TEST(DeviceLink, StopEndsAtOnceAndRestartWorks) {
  Endpoint e(Loopback());
  ASSERT_TRUE(e.Start());
  EXPECT_TRUE(e.link.IsRunning());
  EXPECT_FALSE(e.Start()) << "a second start while the thread runs is refused";
  const auto t0 = Clock::now();
  e.link.Stop();
  EXPECT_LT(Clock::now() - t0, std::chrono::seconds(2));
  EXPECT_FALSE(e.link.IsRunning());
  EXPECT_EQ(e.link.BoundPort(), 0);
  EXPECT_FALSE(e.link.SendDatagram(CompleteFrame("%Z,01,"), kLoopback)) << "no socket after stop";

  // A stop signalled while no thread runs must not end the next one.
  e.link.SignalStop();
  ASSERT_TRUE(e.Start());
  EXPECT_TRUE(e.link.IsRunning());
  EXPECT_TRUE(e.link.SendDatagramTo("x", kLoopback, e.link.BoundPort()));
}

TEST(DeviceLink, SendWithoutSocketFails) {
  CDeviceLink link(Loopback(9));
  EXPECT_FALSE(link.SendDatagram(CompleteFrame("%Z,01,"), kLoopback));
  EXPECT_FALSE(link.IsRunning());
}

/// Holds a UDP port on loopback the way another program would (no address reuse).
class PortHolder {
public:
  PortHolder() : m_fd(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
      m_port = ntohs(a.sin_port);
    }
  }
  ~PortHolder() { close(m_fd); }
  std::uint16_t Port() const { return m_port; }

private:
  int m_fd;
  std::uint16_t m_port = 0;
};

TEST(DeviceLink, SocketSetUpFailureIsReported) {
  PortHolder holder;
  ASSERT_NE(holder.Port(), 0);
  Endpoint running(Loopback());
  ASSERT_TRUE(running.Start());

  struct Case {
    const char* name;
    LinkSettings settings;
    std::string detail;
  } cases[] = {
      {"port held by another program",
       {kLoopback, holder.Port(), 0},
       "Port " + std::to_string(holder.Port()) + " on 127.0.0.1 is already in use by another program"},
      {"port held by another link",
       {kLoopback, running.link.BoundPort(), 0},
       "Port " + std::to_string(running.link.BoundPort()) + " on 127.0.0.1 is already in use"},
      {"address not a dotted quad", {"localhost", 0, 0}, "Port 0 on localhost cannot be opened: Invalid argument."},
  };
  for (const Case& c : cases) {
    Endpoint e(c.settings);
    EXPECT_FALSE(e.Start()) << c.name;
    EXPECT_EQ(e.error, "Winsock error!|Warming") << c.name;
    EXPECT_EQ(e.detail.substr(0, c.detail.size()), c.detail) << c.name;
    EXPECT_FALSE(e.link.IsRunning()) << c.name;
    EXPECT_FALSE(e.link.SendDatagram(CompleteFrame("%Z,01,"), kLoopback)) << c.name;
  }
}

}  // namespace
}  // namespace orvx
