#include "session/EditorSession.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/Commands.h"
#include "link/SocketErrorText.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

using namespace std::chrono_literals;

constexpr int kWaitMs = 2000;

/// Pauses are recorded, never slept.
class NoPacer final : public IPacer {
public:
  void Pause(int) override {}
};

/// The wake call of the receive thread, turned into something a test can wait on.
class Waker {
public:
  std::function<void()> Fn() {
    return [this] {
      std::lock_guard lock(m_mutex);
      ++m_wakes;
      m_cv.notify_all();
    };
  }
  /// Waits until the receive thread woke the owner more often than `seen` times, or the deadline.
  bool WaitBeyond(int seen, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_until(lock, deadline, [&] { return m_wakes > seen; });
  }
  int Wakes() {
    std::lock_guard lock(m_mutex);
    return m_wakes;
  }

private:
  std::mutex m_mutex;
  std::condition_variable m_cv;
  int m_wakes = 0;
};

class RecordingObserver final : public ISessionObserver {
public:
  void OnChanged(const ChangeNotice& n) override {
    if (n.report)
      reports.push_back(n.report->kind);
    else if (n.bits == change::kAll)
      ++refreshes;
  }
  void OnMessage(const Caption& text, const Caption& title, const std::string& detail) override {
    messages.push_back(std::string(text.en) + "|" + title.en);
    details.push_back(detail);
  }
  void OnLinkUi() override { ++linkUi; }
  void OnSupervisionNeeded() override { ++supervisionNeeded; }
  std::vector<ReportKind> reports;
  std::vector<std::string> messages;
  std::vector<std::string> details;
  int linkUi = 0;
  int refreshes = 0;
  int supervisionNeeded = 0;
};

/// A processor double on loopback: a link of its own that answers each peer where it came from.
class FakeDevice {
public:
  explicit FakeDevice(const std::string& ip) : m_link(LinkSettings{ip, 0, 0}) {
    m_link.Start([this](ReceivedFrame f) { m_inbox.Push(std::move(f)); }, nullptr);
  }
  std::uint16_t Port() const { return m_link.BoundPort(); }
  /// The next frame the editor sent (bounded wait); empty when none came.
  ReceivedFrame Next() { return m_inbox.WaitPop(kWaitMs).value_or(ReceivedFrame{}); }
  void SendTo(const std::string& frame, std::uint16_t port) { m_link.SendDatagramTo(frame, "127.0.0.1", port); }

private:
  CFrameInbox m_inbox;
  CDeviceLink m_link;
};

std::string ZReport(const char* version) { return CompleteFrame("%Z,01," + std::string(25, ',') + version + ","); }
std::string YReport() { return CompleteFrame("%Y,01,,00410042" + std::string(24, '0') + ",0,"); }
std::string QReport(int meter) {
  char b[3];
  std::snprintf(b, sizeof b, "%02X", meter);
  std::string bytes;
  for (int i = 0; i < 22; ++i) bytes += i < 20 ? b : "00";
  return CompleteFrame("%Q,01," + bytes + ",");
}

/// Processes queued frames on this thread each time the receive thread wakes it, until `done`
/// holds or the deadline passes. A wake is counted before processing, so none is lost.
bool ProcessFramesUntil(CEditorSession& session, Waker& waker, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  for (;;) {
    const int seen = waker.Wakes();
    session.ProcessPendingFrames();
    if (done()) return true;
    if (!waker.WaitBeyond(seen, deadline)) return false;
  }
}

class EditorSessionTest : public ::testing::Test {
protected:
  EditorSessionTest() {
    session.State().link.deviceIp = "127.0.0.1";
    session.SetObserver(&observer);
  }

  /// CONNECT, then ticks through the two waits; returns the editor's port.
  std::uint16_t PressConnect() {
    session.Connect();
    for (int i = 0; i < 20; ++i) {
      clock.Advance(CConnectionSupervisor::kTickMs);
      session.Tick();
    }
    return session.BoundPort();
  }
  bool ProcessUntil(const std::function<bool()>& done) { return ProcessFramesUntil(session, waker, done); }
  /// The full handshake over real UDP; leaves the editor online.
  void Handshake() {
    const std::uint16_t port = PressConnect();
    ASSERT_NE(port, 0);
    EXPECT_EQ(device.Next().text, FrameQ(false));
    EXPECT_EQ(device.Next().text, FrameZ());
    device.SendTo(ZReport("20") + YReport(), port);
    ASSERT_TRUE(ProcessUntil([&] { return session.State().link.online; }));
    EXPECT_EQ(device.Next().text, FrameQ(true));
  }

  FakeDevice device{"127.0.0.1"};
  FakeClock clock;
  Waker waker;
  NoPacer pacer;
  RecordingObserver observer;
  CEditorSession session{LinkSettings{"127.0.0.1", 0, device.Port()}, clock, waker.Fn(), &pacer};
};

TEST_F(EditorSessionTest, HandshakeOverLoopbackBringsTheEditorOnline) {
  Handshake();
  EXPECT_EQ(observer.reports, (std::vector<ReportKind>{ReportKind::Z, ReportKind::Y}));
  EXPECT_EQ(observer.refreshes, 1);
  EXPECT_EQ(NameBytes(session.State().in[0].shortName), "AB");
  EXPECT_TRUE(session.LampLit());
  EXPECT_TRUE(session.StatusOnline());
  EXPECT_STREQ(session.ConnectCaption().en, "DISCONNECT");
  EXPECT_TRUE(session.ConnectPressed());
}

TEST_F(EditorSessionTest, TimerOneIsIdleOnlyOfflineWithoutAnAttempt) {
  EXPECT_TRUE(session.SupervisionIdle()) << "offline, nothing asked";
  Handshake();
  EXPECT_EQ(observer.supervisionNeeded, 1) << "CONNECT asks for the timer";
  EXPECT_FALSE(session.SupervisionIdle()) << "online: the silence rule needs it";
  session.Disconnect();
  EXPECT_TRUE(session.SupervisionIdle());

  // An attempt nobody answers keeps it busy until "CANNOT CONNECT.". The old link ends on its
  // own thread meanwhile (the attempt waits for it), so the ticks go on until the message, bounded.
  session.Connect();
  EXPECT_EQ(observer.supervisionNeeded, 2);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (observer.messages.empty() && std::chrono::steady_clock::now() < deadline) {
    ASSERT_FALSE(session.SupervisionIdle());
    clock.Advance(CConnectionSupervisor::kTickMs);
    session.Tick();
    std::this_thread::yield();
  }
  EXPECT_EQ(observer.messages, (std::vector<std::string>{"CANNOT CONNECT.|"}));
  EXPECT_TRUE(session.SupervisionIdle());

  // A value only the editor keeps, changed offline, keeps it busy until a tick has written it.
  const std::filesystem::path kept = std::filesystem::path(::testing::TempDir()) / "idle-kept-values.txt";
  std::filesystem::remove(kept);
  session.KeepValuesIn(kept.string());
  const int asked = observer.supervisionNeeded;
  session.SetSendInterval(200);
  EXPECT_EQ(observer.supervisionNeeded, asked + 1);
  EXPECT_FALSE(session.SupervisionIdle());
  // The tick hands the values to the file's own writer; the ticks go on until it wrote, bounded.
  const auto written = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  do {
    session.Tick();
    std::this_thread::yield();
  } while (!session.SupervisionIdle() && std::chrono::steady_clock::now() < written);
  EXPECT_TRUE(session.SupervisionIdle());
  EXPECT_TRUE(std::filesystem::exists(kept));
  std::filesystem::remove(kept);
}

TEST_F(EditorSessionTest, ReportsFromAnotherAddressAreDropped) {
  Handshake();
  FakeDevice stranger{"127.0.0.2"};
  stranger.SendTo(QReport(55), session.BoundPort());
  device.SendTo(QReport(33), session.BoundPort());
  ASSERT_TRUE(ProcessUntil([&] { return observer.reports.size() == 3; }));
  EXPECT_EQ(session.DroppedFrames(), 1u);
  EXPECT_EQ(session.State().in[0].meter, 33);
  EXPECT_EQ(observer.reports.back(), ReportKind::Q);
}

// Another host floods the editor's port while the owner thread is busy: the device's frames still
// all arrive, because the flood never enters the bounded inbox.
TEST_F(EditorSessionTest, AFloodFromAnotherHostCannotPushTheDevicesFramesOut) {
  Handshake();
  FakeDevice stranger{"127.0.0.2"};
  device.SendTo(QReport(33), session.BoundPort());
  constexpr std::size_t kBurst = 100;
  const std::size_t floodFrames = (CFrameInbox::kDefaultCapacity / kBurst + 2) * kBurst;
  for (std::size_t sent = 0; sent < floodFrames; sent += kBurst) {
    for (std::size_t i = 0; i < kBurst; ++i) stranger.SendTo(QReport(55), session.BoundPort());
    // Each burst is taken off the socket before the next, so the kernel drops none.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (session.DroppedFrames() < sent + kBurst && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(1ms);
    ASSERT_GE(session.DroppedFrames(), sent + kBurst);
  }
  device.SendTo(QReport(44), session.BoundPort());
  ASSERT_TRUE(ProcessUntil([&] { return observer.reports.size() == 4; }));
  EXPECT_EQ(observer.reports, (std::vector<ReportKind>{ReportKind::Z, ReportKind::Y, ReportKind::Q, ReportKind::Q}));
  EXPECT_EQ(session.State().in[0].meter, 44);
  EXPECT_EQ(session.OverflowedFrames(), 0u);
  EXPECT_EQ(session.DroppedFrames(), floodFrames);
}

// A "P" report with values no control can show: the state holds them clamped, and they are counted.
TEST_F(EditorSessionTest, ReceivedValuesAreClampedToTheirRangeAndCounted) {
  Handshake();
  const std::size_t before = session.ClampedValues();
  std::string outLevels = "FF" + std::string(14, '0');
  std::string inLevels = std::string(4, '0') + "50" + std::string(18, '0');
  device.SendTo(CompleteFrame("%P,01," + outLevels + "," + std::string(16, '0') + "," + std::string(16, '0') + "," +
                              inLevels + ",4,"),
                session.BoundPort());
  ASSERT_TRUE(ProcessUntil([&] { return observer.reports.size() == 3; }));
  EXPECT_EQ(session.State().out[0].level, kLevelMax);
  EXPECT_EQ(session.State().in[2].level, kLevelMax) << "0x50 is past the top of the fader";
  EXPECT_EQ(session.ClampedValues(), before + 2);
}

TEST_F(EditorSessionTest, PagesSendOnlyWhileOnline) {
  const std::uint16_t port = PressConnect();
  device.Next();
  device.Next();
  device.SendTo(ZReport("20"), port);
  ASSERT_TRUE(ProcessUntil([&] { return !observer.reports.empty(); }));
  ASSERT_FALSE(session.State().link.online) << "awaiting names";
  // Offline the change path keeps the value and queues nothing.
  EXPECT_EQ(session.Changes().Set({ParamId::InLevel, 4, 0}, {65, {}}), ChangeResult::Applied);
  EXPECT_EQ(session.State().in[4].level, 65);

  device.SendTo(YReport(), port);
  ASSERT_TRUE(ProcessUntil([&] { return session.State().link.online; }));
  EXPECT_EQ(device.Next().text, FrameQ(true));
  EXPECT_EQ(session.Changes().Set({ParamId::InLevel, 4, 0}, {69, {}}), ChangeResult::Applied);
  EXPECT_EQ(device.Next().text, FrameA(session.State(), 5)) << "the first frame after %Q 01";
  EXPECT_NE(FrameA(session.State(), 5).find(",45,"), std::string::npos) << "carries level 69";
}

TEST_F(EditorSessionTest, OldFirmwareStopsTheLinkAndDropsWhatFollows) {
  const std::uint16_t port = PressConnect();
  device.Next();
  device.Next();
  device.SendTo(ZReport("19") + YReport(), port);
  // Both frames arrive in one datagram, so both are queued before the Z is decoded.
  ASSERT_TRUE(ProcessUntil([&] { return session.DroppedFrames() == 1; }));
  EXPECT_EQ(observer.messages, (std::vector<std::string>{"Please update your device.|"}));
  EXPECT_FALSE(session.State().link.online) << "the names after a refusal are not taken";
  EXPECT_FALSE(session.State().link.connecting);
}

TEST_F(EditorSessionTest, DisconnectSendsStopBeforeTheLinkEnds) {
  Handshake();
  session.Disconnect();
  EXPECT_EQ(device.Next().text, FrameQ(false));
  EXPECT_FALSE(session.State().link.online);
  EXPECT_FALSE(session.LampLit());
  EXPECT_FALSE(session.StatusOnline());
  EXPECT_STREQ(session.ConnectCaption().en, "CONNECT");
}

TEST_F(EditorSessionTest, CloseSendsStopThenWaitsForTheReceiveThread) {
  Handshake();
  session.BeginClose();
  EXPECT_EQ(device.Next().text, FrameQ(false));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (!session.CloseFinished() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  EXPECT_TRUE(session.CloseFinished());
}

TEST(EditorSessionSocket, ASocketThatCannotOpenIsReported) {
  FakeClock clock;
  Waker waker;
  NoPacer pacer;
  RecordingObserver observer;
  // A second socket already holds the local port, so the session's bind fails.
  const int holder = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(holder, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  socklen_t len = sizeof addr;
  ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr*>(&addr), &len), 0);
  CEditorSession session{LinkSettings{"127.0.0.1", ntohs(addr.sin_port), 39030}, clock, waker.Fn(), &pacer};
  session.State().link.deviceIp = "127.0.0.1";
  session.SetObserver(&observer);
  session.Connect();
  for (int i = 0; i < 20; ++i) {
    clock.Advance(CConnectionSupervisor::kTickMs);
    session.Tick();
  }
  ASSERT_TRUE(ProcessFramesUntil(session, waker, [&] { return !observer.messages.empty(); }));
  EXPECT_EQ(observer.messages, (std::vector<std::string>{"Winsock error!|Warming"}));
  const std::string detail =
      "Port " + std::to_string(ntohs(addr.sin_port)) +
      " on 127.0.0.1 is already in use by another program (a second editor or orvxctl monitor?).";
  EXPECT_EQ(observer.details, (std::vector<std::string>{detail}));
  EXPECT_EQ(TextWithDetail("Winsock error!", observer.details.front()), "Winsock error!\n\n" + detail);
  ::close(holder);
}

}  // namespace
}  // namespace orvx
