#include "SimServer.h"

#include "link/Commands.h"
#include "link/FrameChecksum.h"
#include "link/FrameInbox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvx {
namespace {

constexpr int kDeadlineMs = 5000;
constexpr const char* kSimIp = "127.0.0.61";
constexpr const char* kClientIp = "127.0.0.62";

/// A simulator on 127.0.0.61 (ephemeral port) and a bare link on 127.0.0.62 bound to the
/// simulator's reply port, which is the simulator's own port number: both ends on one number, as
/// on the wire, and no two runs of this test can meet.
class SimServerTest : public ::testing::Test {
protected:
  void StartServer(SimServerSettings s) {
    s.ip = kSimIp;
    s.port = 0;
    s.replyPort = 0;
    s.log = &log;
    server = std::make_unique<CSimServer>(s, clock);
    std::string error;
    ASSERT_TRUE(server->Start(&error)) << error;
    ASSERT_EQ(server->ReplyPort(), server->BoundPort());
    client = std::make_unique<CDeviceLink>(LinkSettings{kClientIp, server->ReplyPort(), server->BoundPort()});
    ASSERT_TRUE(client->Start([this](ReceivedFrame f) { inbox.Push(std::move(f)); }, nullptr));
  }
  void TearDown() override {
    if (client) client->Stop();
    if (server) server->Stop();
  }

  void Send(const std::string& frame) { ASSERT_TRUE(client->SendDatagram(frame, kSimIp)); }

  /// The next frame starting with `prefix`, skipping others; empty on timeout.
  std::string Next(const std::string& prefix) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDeadlineMs);
    while (std::chrono::steady_clock::now() < deadline) {
      if (auto f = inbox.WaitPop(100); f && f->text.rfind(prefix, 0) == 0) return f->text;
    }
    return {};
  }

  SteadyClock clock;
  std::ostringstream log;  // written by the worker, read only after Stop()
  std::unique_ptr<CSimServer> server;
  std::unique_ptr<CDeviceLink> client;
  CFrameInbox inbox;
};

TEST_F(SimServerTest, HandshakeThenReportsThenStop) {
  SimServerSettings s;
  s.rate = 200;
  StartServer(s);
  Send(FrameZ());
  EXPECT_FALSE(Next("%Z,01,").empty());
  EXPECT_FALSE(Next("%Y,01,").empty());
  Send(FrameQ(true));
  EXPECT_EQ(Next("%Q,01,").size(), std::string("%Q,01,").size() + 44 + 6);
  server->Console("level out 2 40");
  const std::string p = Next("%P,01,");
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.substr(6, 4), "1E28") << "output 1 at 30, output 2 at 40";
  Send(FrameQ(false));
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 3; }, kDeadlineMs));
  const auto sent = server->ReportsSent();
  const auto periods = server->Periods();
  ASSERT_TRUE(server->WaitFor([&] { return server->Periods() >= periods + 5; }, kDeadlineMs));
  EXPECT_EQ(server->ReportsSent(), sent) << "no report after \"%Q\" 00";
  server->Stop();
  EXPECT_NE(log.str().find("rx 127.0.0.62:"), std::string::npos);
  EXPECT_NE(log.str().find("%Q,01,00,"), std::string::npos);
}

TEST_F(SimServerTest, CommandsChangeTheStateAndRefusalsAreLogged) {
  StartServer({});
  CDeviceState edit;
  edit.ResetToDefaults();
  edit.in[2].level = 12;
  Send(FrameA(edit, 3));
  Send(CompleteFrame("%A,01,00,00,00,"));
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 2; }, kDeadlineMs));
  EXPECT_EQ(server->StateSnapshot().in[2].level, 12);
  server->Stop();
  EXPECT_NE(log.str().find("refused"), std::string::npos);
}

TEST_F(SimServerTest, UnitCallsAreLoggedWithTheirUnit) {
  StartServer({});
  Send(FrameW(3));
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 1; }, kDeadlineMs));
  server->Stop();
  EXPECT_NE(log.str().find("(unit call 3)"), std::string::npos) << log.str();
}

TEST_F(SimServerTest, DroppedCommandsAreNeverAppliedUntilTheConsoleStopsTheLoss) {
  SimServerSettings s;
  s.inbound.loss = 1.0;
  StartServer(s);
  CDeviceState edit = server->StateSnapshot();
  edit.in[4].level = 9;
  Send(FrameA(edit, 5));
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 1; }, kDeadlineMs));
  EXPECT_NE(server->StateSnapshot().in[4].level, 9) << "lost on its way";
  server->Console("drop 0");
  ASSERT_TRUE(server->WaitFor([&] { return server->DropRate() == 0.0; }, kDeadlineMs));
  Send(FrameA(edit, 5));
  ASSERT_TRUE(server->WaitFor([&] { return server->StateSnapshot().in[4].level == 9; }, kDeadlineMs));
  server->Stop();
  EXPECT_NE(log.str().find("(lost or held back)"), std::string::npos) << log.str();
}

TEST_F(SimServerTest, SilenceStopsAnswers) {
  StartServer({});
  server->Console("silence 30");
  ASSERT_TRUE(server->WaitFor([&] { return server->Silent(); }, kDeadlineMs));
  Send(FrameZ());
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 1; }, kDeadlineMs));
  EXPECT_FALSE(inbox.WaitPop(300).has_value()) << "a silent processor does not answer";
  server->Stop();
  EXPECT_NE(log.str().find("silent"), std::string::npos);
}

// The editor's frames on their way in, damaged at certainty: two level changes of one channel, 12
// then 34 (in one datagram, so nothing but the fault can part them), and what the processor keeps.
TEST_F(SimServerTest, FramesOnTheirWayInAreDamagedThenCheckedAsReceived) {
  struct Case {
    const char* faults;
    int level;  ///< input 3's level afterwards (5 before)
    std::uint64_t FaultCounts::*counted;
  };
  const std::vector<Case> cases = {
      {"faults in 100 0 0 0 0", 5, &FaultCounts::lost},         // neither arrives
      {"faults in 0 100 0 0 0", 34, &FaultCounts::duplicated},  // each twice, in order
      {"faults in 0 0 100 0 0", 12, &FaultCounts::reordered},   // the older one lands last
      {"faults in 0 0 0 100 0", 5, &FaultCounts::corrupted},    // the checksum refuses both
      {"faults in 0 0 0 0 100", 34, &FaultCounts::split},       // reassembled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults);
    StartServer({});
    server->Console(c.faults);
    // Console lines apply in order: once the level is 5, the faults hold.
    server->Console("level in 3 5");
    ASSERT_TRUE(server->WaitFor([&] { return server->StateSnapshot().in[2].level == 5; }, kDeadlineMs));
    CDeviceState edit;
    edit.ResetToDefaults();
    std::string both;
    for (int level : {12, 34}) {
      edit.in[2].level = level;
      both += FrameA(edit, 3);
    }
    Send(both);
    // Both taken in, and the state settled (a frame held back alone goes after a short while).
    ASSERT_TRUE(server->WaitFor([&] { return server->InboundFaults().frames == 2; }, kDeadlineMs));
    EXPECT_TRUE(server->WaitFor([&] { return server->StateSnapshot().in[2].level == c.level; }, kDeadlineMs));
    EXPECT_EQ(server->InboundFaults().*c.counted, 2u - (c.counted == &FaultCounts::reordered));
    EXPECT_EQ(server->OutboundFaults().Faults(), 0u) << "the reports leave whole";
    server->Console("faults off");
    server->Console("level in 3 7");
    ASSERT_TRUE(server->WaitFor([&] { return server->StateSnapshot().in[2].level == 7; }, kDeadlineMs));
    edit.in[2].level = 56;
    Send(FrameA(edit, 3));
    EXPECT_TRUE(server->WaitFor([&] { return server->StateSnapshot().in[2].level == 56; }, kDeadlineMs))
        << "whole again after \"faults off\"";
    client->Stop();
    server->Stop();
  }
}

TEST_F(SimServerTest, AnswersGoToTheReplyPortWhateverPortTheCommandCameFrom) {
  SimServerSettings s;
  s.rate = 200;
  StartServer(s);
  // Another program on the editor's address, on a port of its own.
  CFrameInbox strayInbox;
  CDeviceLink stray(LinkSettings{kClientIp, 0, server->BoundPort()});
  ASSERT_TRUE(stray.Start([&](ReceivedFrame f) { strayInbox.Push(std::move(f)); }, nullptr));
  ASSERT_NE(stray.BoundPort(), server->ReplyPort());

  ASSERT_TRUE(stray.SendDatagram(FrameZ(), kSimIp));
  EXPECT_FALSE(Next("%Z,01,").empty()) << "the full state arrives on the reply port";
  EXPECT_FALSE(Next("%Y,01,").empty());
  // Reports asked for from one port and stopped from another: the peer is the address.
  ASSERT_TRUE(stray.SendDatagram(FrameQ(true), kSimIp));
  EXPECT_FALSE(Next("%Q,01,").empty());
  Send(FrameQ(false));
  ASSERT_TRUE(server->WaitFor([&] { return server->ReceivedFrames().size() == 3; }, kDeadlineMs));
  const auto sent = server->ReportsSent();
  const auto periods = server->Periods();
  ASSERT_TRUE(server->WaitFor([&] { return server->Periods() >= periods + 5; }, kDeadlineMs));
  EXPECT_EQ(server->ReportsSent(), sent) << "\"%Q\" 00 from the same address stops the reports";
  EXPECT_FALSE(strayInbox.WaitPop(100).has_value()) << "nothing goes back to the source port";
  stray.Stop();
}

}  // namespace
}  // namespace orvx
