#include "link/ConnectionSupervisor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportParserTestFrames.h"
#include "link/ReportParser.h"

namespace orvx {
namespace {

/// One host call and when it happened (ms since the test's start).
struct Call {
  std::int64_t at;
  std::string what;
  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Call& c) { return os << c.at << ":" << c.what; }

class FakeHost final : public ISupervisorHost {
public:
  FakeHost(const FakeClock& clock, std::int64_t origin) : m_clock(clock), m_origin(origin) {}

  bool StartReceiving() override {
    Record("StartReceiving");
    receiving = startSucceeds;
    return startSucceeds;
  }
  void StopReceiving() override {
    Record("StopReceiving");
    if (stopEndsAtOnce) receiving = false;
  }
  bool IsReceiving() const override { return receiving; }
  void StopDeviceSearch() override { Record("StopDeviceSearch"); }
  void SendQ(bool start) override { Record(start ? "%Q 01" : "%Q 00"); }
  void SendZ() override { Record("%Z"); }
  void ShowMessage(const Caption& text) override { Record(std::string("Message ") + text.en); }
  void SetConnectButton(const Caption& c, bool pressed) override {
    Record(std::string("Button ") + c.en + (pressed ? " pressed" : " released"));
  }
  void SetLamp(bool lit) override { Record(lit ? "Lamp on" : "Lamp off"); }
  void SetStatusText(const Caption& text) override { Record(std::string("Status ") + text.en); }
  void RestMeters() override { Record("RestMeters"); }
  void RefreshAll() override { Record("RefreshAll"); }
  void ShowPageView(bool resetScroll) override { Record(resetScroll ? "PageView reset" : "PageView keep"); }
  void StartCloseTimer() override { Record("CloseTimer"); }
  void CloseWindow() override { Record("CloseWindow"); }

  /// Calls whose text is `what`, with their times.
  std::vector<std::int64_t> TimesOf(const std::string& what) const {
    std::vector<std::int64_t> t;
    for (const Call& c : calls) {
      if (c.what == what) t.push_back(c.at);
    }
    return t;
  }
  /// The calls' texts from index `from` on.
  std::vector<std::string> Since(std::size_t from) const {
    std::vector<std::string> w;
    for (std::size_t i = from; i < calls.size(); ++i) w.push_back(calls[i].what);
    return w;
  }

  std::vector<Call> calls;
  bool receiving = false;
  bool startSucceeds = true;
  bool stopEndsAtOnce = true;

private:
  void Record(std::string what) { calls.push_back({m_clock.NowMs() - m_origin, std::move(what)}); }
  const FakeClock& m_clock;
  std::int64_t m_origin;
};

constexpr std::int64_t kOrigin = 5'000'000;

class SupervisorTest : public ::testing::Test {
protected:
  SupervisorTest() { state.ResetToDefaults(); }

  /// Ticks timer 1 every 50 ms for `ms`.
  void RunFor(std::int64_t ms) {
    for (std::int64_t t = 0; t < ms; t += CConnectionSupervisor::kTickMs) {
      clock.Advance(CConnectionSupervisor::kTickMs);
      sup.OnLinkTimer(CConnectionSupervisor::kSupervisionTimer);
    }
  }
  /// Decodes a report into the state and hands its effects to the supervisor, as the session does.
  void Report(const std::string& frame) { sup.OnReport(DispatchFrame(frame, state, clock.NowMs())); }
  void AnswerZ(const char* version = "20") {
    Report(test::ReportFrame('Z', {"", "", "", "", "", "", "", "", "", "", "", "", "",
                                   "", "", "", "", "", "", "", "", "", "", "", "", version}));
  }
  void AnswerY() { Report(test::ReportFrame('Y', {"", "", "0"})); }
  void SendMeters() { Report(test::ReportFrame('Q', {std::string(44, '0')})); }
  /// Presses CONNECT and runs through the two waits until the first "%Z" went out.
  void ConnectUntilFirstZ() {
    sup.OnConnect();
    RunFor(1000);
    ASSERT_EQ(host.TimesOf("%Z").size(), 1u);
  }
  void ConnectOnline() {
    ConnectUntilFirstZ();
    AnswerZ();
    AnswerY();
    ASSERT_TRUE(state.link.online);
  }

  CDeviceState state;
  FakeClock clock{kOrigin};
  FakeHost host{clock, kOrigin};
  CConnectionSupervisor sup{state, clock, host};
};

TEST_F(SupervisorTest, ConnectWaitsWithoutBlockingThenSendsTheQueryAndRetries) {
  sup.OnConnect();
  EXPECT_TRUE(state.link.connecting) << "set at the press";
  EXPECT_EQ(host.Since(0), (std::vector<std::string>{"StopDeviceSearch"})) << "returns at once";
  RunFor(20'000);

  const std::vector<Call> expected{
      {0, "StopDeviceSearch"},
      {500, "StartReceiving"},
      {1000, "%Q 00"},
      {1000, "%Z"},
      {1000, "PageView reset"},
      {6000, "%Z"},
      {11000, "%Z"},
      {16000, "StopReceiving"},
      {16000, "Button CONNECT released"},
      {16000, "Message CANNOT CONNECT."},
  };
  EXPECT_EQ(host.calls, expected) << "%Z at 0, 5 and 10 s after the first, give-up at 15 s, once";
  EXPECT_FALSE(state.link.connecting);
  EXPECT_FALSE(state.link.online);
  EXPECT_EQ(state.link.retryCount, 3);
}

TEST_F(SupervisorTest, ConnectStopsARunningReceiveThreadFirst) {
  host.receiving = true;
  sup.OnConnect();
  EXPECT_EQ(host.Since(0), (std::vector<std::string>{"StopDeviceSearch", "StopReceiving"}));
  RunFor(450);
  EXPECT_TRUE(host.TimesOf("StartReceiving").empty()) << "the old thread gets 500 ms to end";
  RunFor(50);
  EXPECT_EQ(host.TimesOf("StartReceiving"), (std::vector<std::int64_t>{500}));
}

// After a DISCONNECT the old link ends only once the frames queued before its stop have left (a
// long plan): a new link never starts beside it, it starts as soon as the old one has ended.
TEST_F(SupervisorTest, ConnectWaitsForAnOldLinkStillEndingBehindAPlan) {
  host.receiving = true;
  host.stopEndsAtOnce = false;
  sup.OnConnect();
  RunFor(3000);
  EXPECT_TRUE(host.TimesOf("StartReceiving").empty()) << "the old link still runs";
  EXPECT_TRUE(state.link.connecting);
  host.receiving = false;
  RunFor(50);
  EXPECT_EQ(host.TimesOf("StartReceiving"), (std::vector<std::int64_t>{3050}));
  RunFor(500);
  EXPECT_EQ(host.TimesOf("%Z"), (std::vector<std::int64_t>{3550}));
}

TEST_F(SupervisorTest, ASecondPressWhileConnectingDoesNothing) {
  sup.OnConnect();
  RunFor(300);
  const std::size_t before = host.calls.size();
  sup.OnConnect();
  EXPECT_EQ(host.calls.size(), before) << "during the waits";
  RunFor(3000);
  const std::size_t later = host.calls.size();
  sup.OnConnect();
  EXPECT_EQ(host.calls.size(), later) << "after the first %Z";
  EXPECT_EQ(host.TimesOf("StartReceiving").size(), 1u);
  EXPECT_EQ(host.TimesOf("%Z").size(), 1u);
}

TEST_F(SupervisorTest, AnAnswerToTheSecondQueryConnects) {
  ConnectUntilFirstZ();
  RunFor(5000);
  ASSERT_EQ(host.TimesOf("%Z").size(), 2u);
  AnswerZ();
  EXPECT_FALSE(state.link.connecting);
  const std::size_t mark = host.calls.size();
  AnswerY();
  EXPECT_TRUE(state.link.online);
  EXPECT_EQ(state.link.retryCount, 1);
  EXPECT_EQ(host.Since(mark),
            (std::vector<std::string>{"Button DISCONNECT pressed", "Lamp on", "Status ONLINE", "RefreshAll", "%Q 01"}));
  RunFor(15'000);
  EXPECT_TRUE(host.TimesOf("Message CANNOT CONNECT.").empty());
  EXPECT_EQ(host.TimesOf("%Z").size(), 2u);
}

TEST_F(SupervisorTest, AStateWithoutNamesLeavesTheEditorIdleAndSilent) {
  ConnectUntilFirstZ();
  AnswerZ();
  const std::size_t mark = host.calls.size();
  RunFor(30'000);
  EXPECT_FALSE(state.link.connecting);
  EXPECT_FALSE(state.link.online);
  EXPECT_TRUE(host.Since(mark).empty()) << "no retry, no message, no status change";
}

TEST_F(SupervisorTest, OldFirmwareIsRefused) {
  ConnectUntilFirstZ();
  const std::size_t mark = host.calls.size();
  AnswerZ("19");
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"StopReceiving", "Message Please update your device."}));
  EXPECT_FALSE(state.link.connecting);
  RunFor(20'000);
  EXPECT_EQ(host.calls.size(), mark + 2) << "no retries after the refusal";
}

TEST_F(SupervisorTest, SilenceWhileOnlineDimsTheLampButKeepsTheLink) {
  ConnectOnline();
  SendMeters();
  EXPECT_EQ(host.calls.back().what, "Status ONLINE") << "the first meter report of the run";
  const std::int64_t lastReport = clock.NowMs() - kOrigin;
  const std::size_t mark = host.calls.size();

  RunFor(9950);
  EXPECT_EQ(host.calls.size(), mark) << "9.95 s is not yet more than 9 whole seconds";
  RunFor(50);
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"Lamp off", "Status OFFLINE", "RestMeters"}));
  EXPECT_EQ(host.calls.back().at, lastReport + 10'000);
  EXPECT_TRUE(state.link.online) << "commands are still sent";

  RunFor(10'000);
  EXPECT_EQ(host.TimesOf("Status OFFLINE").size(), 2u) << "written again while the silence lasts";

  // A late meter report keeps the link usable but neither relights the lamp nor rewrites ONLINE.
  const std::size_t late = host.calls.size();
  SendMeters();
  RunFor(5000);
  EXPECT_EQ(host.calls.size(), late);
}

TEST_F(SupervisorTest, ASearchTakesThePortFromTheLinkInEveryState) {
  // Online: a DISCONNECT, reports stopped first.
  ConnectOnline();
  std::size_t mark = host.calls.size();
  sup.OnSearch();
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"%Q 00", "StopReceiving", "Button CONNECT released", "Lamp off",
                                                        "Status OFFLINE", "RestMeters"}));
  // During a connection attempt: abandoned, no "%Z" later and no "CANNOT CONNECT.".
  host.receiving = false;
  sup.OnConnect();
  RunFor(600);
  ASSERT_EQ(host.TimesOf("StartReceiving").size(), 2u);
  mark = host.calls.size();
  sup.OnSearch();
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"StopReceiving", "Button CONNECT released"}));
  EXPECT_FALSE(state.link.connecting);
  RunFor(20'000);
  EXPECT_EQ(host.calls.size(), mark + 2) << "nothing more from the abandoned attempt";
  // Idle: nothing to stop.
  host.receiving = false;
  sup.OnSearch();
  EXPECT_EQ(host.calls.size(), mark + 2);
}

TEST_F(SupervisorTest, AnUpdateAbandonsAnAttemptAndMarksTheLinkClosedWithoutSending) {
  // The update sends its own "%Q" frames and stops the link itself, in its own order.
  ConnectOnline();
  std::size_t mark = host.calls.size();
  sup.OnUpdateStarted();
  EXPECT_EQ(host.calls.size(), mark) << "nothing while no attempt runs";
  sup.OnUpdateTookLink();
  EXPECT_EQ(host.Since(mark),
            (std::vector<std::string>{"Button CONNECT released", "Lamp off", "Status OFFLINE", "RestMeters"}));
  EXPECT_FALSE(state.link.online);

  host.receiving = false;
  sup.OnConnect();
  RunFor(600);
  mark = host.calls.size();
  sup.OnUpdateStarted();
  EXPECT_EQ(host.Since(mark), std::vector<std::string>{"Button CONNECT released"});
  EXPECT_FALSE(state.link.connecting);
  RunFor(20'000);
  EXPECT_EQ(host.calls.size(), mark + 1) << "no retry and no CANNOT CONNECT. from the abandoned attempt";
}

TEST_F(SupervisorTest, DisconnectStopsTheReportsBeforeTheLink) {
  ConnectOnline();
  const std::size_t mark = host.calls.size();
  sup.OnConnect();
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"%Q 00", "StopReceiving", "Button CONNECT released", "Lamp off",
                                                        "Status OFFLINE", "RestMeters"}));
  EXPECT_FALSE(state.link.online);
  RunFor(20'000);
  EXPECT_EQ(host.calls.size(), mark + 6);
}

TEST_F(SupervisorTest, CloseStopsTheReportsThenWaitsForTheReceiveThread) {
  ConnectOnline();
  host.stopEndsAtOnce = false;
  const std::size_t mark = host.calls.size();
  sup.OnMainClose();
  EXPECT_EQ(host.Since(mark), (std::vector<std::string>{"%Q 00", "StopReceiving", "CloseTimer"}));
  EXPECT_FALSE(state.link.online);
  sup.OnLinkTimer(CConnectionSupervisor::kCloseTimer);
  EXPECT_TRUE(host.TimesOf("CloseWindow").empty()) << "the receive thread still runs";
  host.receiving = false;
  sup.OnLinkTimer(CConnectionSupervisor::kCloseTimer);
  EXPECT_EQ(host.TimesOf("CloseWindow").size(), 1u);
}

TEST_F(SupervisorTest, CloseDuringTheWaitsStartsNoReceiveThread) {
  sup.OnConnect();
  RunFor(200);
  sup.OnMainClose();
  RunFor(2000);
  EXPECT_TRUE(host.TimesOf("StartReceiving").empty());
  EXPECT_TRUE(host.TimesOf("%Z").empty());
  EXPECT_FALSE(state.link.connecting);
}

TEST_F(SupervisorTest, OfflineShowsThePagesWithoutLinkActivity) {
  sup.OnOffline();
  RunFor(20'000);
  EXPECT_EQ(host.Since(0), (std::vector<std::string>{"PageView keep"}));
}

TEST_F(SupervisorTest, ASocketThatCannotOpenEndsWithCannotConnect) {
  host.startSucceeds = false;
  sup.OnConnect();
  RunFor(17'000);
  EXPECT_EQ(host.TimesOf("%Z").size(), 3u);
  EXPECT_EQ(host.TimesOf("Message CANNOT CONNECT.").size(), 1u);
}

}  // namespace
}  // namespace orvx
