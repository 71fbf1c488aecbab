#include "SimSessionFixture.h"
#include "common/TempDir.h"

#include <filesystem>

#include "link/Commands.h"
#include "session/KeptValues.h"
#include "link/ReportParser.h"
#include "sim/CarriedFields.h"

namespace orvx {
namespace {

using SessionAgainstSim = SimSessionFixture;

TEST_F(SessionAgainstSim, ConnectsAndTakesTheProcessorsStateAndNames) {
  SimServerSettings s;
  s.device.namesUtf8 = {"Lectern", "中文"};
  StartSim(s);
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  EXPECT_EQ(Editor().link.retryCount, 0);
  EXPECT_TRUE(m_session->LampLit());
  EXPECT_EQ(&m_session->ConnectCaption(), &captions::kDisconnect);
  EXPECT_EQ(NameBytes(Editor().firmwareVersion), "32");
  EXPECT_EQ(NameBytes(Editor().in[0].shortName), "Lectern");
  EXPECT_EQ(NameBytes(Editor().in[1].shortName), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Carried(Editor()), Carried(sim->StateSnapshot()));
  EXPECT_TRUE(messages.empty());
  // Online: the session asked for reports and they arrive.
  EXPECT_TRUE(Drive([&] { return Editor().link.lastReceiveTime > 0 && sim->ReportsSent() > 0; }, 0));
  EXPECT_EQ(SimFrames("%Q,01,01,"), 1);
}

TEST_F(SessionAgainstSim, ProcessorAnsweringOnlyTheSecondQueryConnectsWithOneRetry) {
  SimServerSettings s;
  s.device.ignoreZ = 1;
  StartSim(s);
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(2));
  EXPECT_EQ(Editor().link.retryCount, 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SessionAgainstSim, NoProcessorGivesCannotConnectOnceAfterThreeQueries) {
  SimServerSettings s;
  s.device.ignoreZ = 1000;  // present on the wire, never answers
  StartSim(s);
  StartSession();
  m_session->Connect();
  ASSERT_TRUE(Drive([&] { return SimFrames("%Z,") >= 1; }, CConnectionSupervisor::kTickMs));
  const std::int64_t firstQuery = clock.NowMs();
  ASSERT_TRUE(Drive([&] { return !messages.empty(); }, CConnectionSupervisor::kTickMs));
  EXPECT_EQ(messages[0], &captions::kCannotConnect);
  EXPECT_NEAR(clock.NowMs() - firstQuery, 15000, 200);
  // Twenty further fake seconds: no second message, no fourth query.
  const std::int64_t end = clock.NowMs() + 20000;
  Drive([&] { return clock.NowMs() >= end; }, 100, 0);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(sim->WaitFor([&] { return SimFrames("%Z,") == 3; }, kRealDeadlineMs));
  EXPECT_FALSE(Editor().link.online);
  EXPECT_FALSE(Editor().link.connecting);
}

TEST_F(SessionAgainstSim, OldFirmwareIsRefused) {
  SimServerSettings s;
  s.device.firmwareVersion = "19";
  StartSim(s);
  StartSession();
  m_session->Connect();
  ASSERT_TRUE(Drive([&] { return !messages.empty(); }, CConnectionSupervisor::kTickMs));
  EXPECT_EQ(messages[0], &captions::kUpdateDevice);
  EXPECT_FALSE(Editor().link.online);
  EXPECT_FALSE(Editor().link.connecting);
  EXPECT_EQ(SimFrames("%Q,01,01,"), 0) << "reports are never asked for";
}

TEST_F(SessionAgainstSim, MetersAndGatesFollowTheSimulator) {
  SimServerSettings s;
  s.rate = 100;
  s.device.talkerChannels = {};  // only the pinned microphone speaks
  StartSim(s);
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  sim->Console("talk in 3 55");
  auto active = [&](int ch) { return IsChannelActive(Editor().in[ch - 1]); };
  ASSERT_TRUE(Drive([&] { return active(3) && Editor().in[2].meter == 55 + 70 - 60; }, 0));
  for (int ch : {1, 2, 4, 5, 6, 7, 8}) EXPECT_FALSE(active(ch)) << ch;
  const MeterSnapshot m = sim->LastMeters();
  EXPECT_EQ(Editor().out[0].meter, m.out[0]) << "MASTER 1 carries the open microphone";

  // The talker stops: LAST HOLD keeps input 3 ACTIVE after the gate has closed.
  sim->Console("talk in 3 off");
  ASSERT_TRUE(Drive([&] { return Editor().in[2].gateOpen == 0 && Editor().in[2].meter == 0; }, 0));
  EXPECT_TRUE(active(3));
  EXPECT_EQ(Editor().in[2].lastHeld, 1);

  // The editor switches LAST HOLD off: the processor's mixer obeys and input 3 shows WAITING.
  Editor().automix[kLastHold] = 0;
  m_session->QueueFrame(FrameM(Editor()));
  EXPECT_TRUE(Drive([&] { return !active(3); }, 0));
}

TEST_F(SessionAgainstSim, MetersRestAfterDisconnectAndAfterSilence) {
  SimServerSettings s;
  s.rate = 100;
  s.device.talkerChannels = {};
  StartSim(s);
  StartSession();
  auto resting = [&] {
    for (const InputChannel& in : Editor().in)
      if (in.meter != 0 || IsChannelActive(in)) return false;
    for (const OutputChannel& out : Editor().out)
      if (out.meter != 0) return false;
    return true;
  };
  auto talking = [&] { return IsChannelActive(Editor().in[2]) && Editor().in[2].meter > 0 && Editor().out[0].meter > 0; };
  ASSERT_TRUE(ConnectAfterQueries(1));
  sim->Console("talk in 3 55");
  ASSERT_TRUE(Drive(talking, 0));
  m_session->Disconnect();
  EXPECT_TRUE(resting()) << "DISCONNECT: no report will come";

  ASSERT_TRUE(ConnectAfterQueries(2));
  ASSERT_TRUE(Drive(talking, 0));
  sim->Console("silence 30");
  ASSERT_TRUE(Drive([&] { return !m_session->StatusOnline(); }, 500));
  EXPECT_TRUE(Editor().link.online) << "the link itself stays";
  EXPECT_TRUE(resting()) << "silence: the last values are not the processor's any more";
}

TEST_F(SessionAgainstSim, LevelsChangedAtTheProcessorMoveTheEditor) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  sim->Console("level in 3 40");
  sim->Console("mute out 2 1");
  sim->Console("line out 1 1");
  EXPECT_TRUE(Drive(
      [&] { return Editor().in[2].level == 40 && Editor().out[1].mute == 1 && Editor().out[0].lineLevel == 1; }, 0));
}

TEST_F(SessionAgainstSim, EditorChangesReachTheProcessor) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  Editor().in[4].level = 21;
  Editor().in[4].mute = 1;
  m_session->QueueFrame(FrameA(Editor(), 5));
  Editor().in[0].route[5] = 1;
  m_session->QueueFrame(FrameB(Editor(), 1));
  EXPECT_TRUE(sim->WaitFor([&] { return Carried(sim->StateSnapshot()) == Carried(Editor()); }, kRealDeadlineMs));
}

TEST_F(SessionAgainstSim, LossyCorruptedLinkStillConvergesToTheProcessorsState) {
  SimServerSettings s;
  s.faults = {0.2, 0.05, 0.05, 0.1, 0.1};
  s.seed = 11;
  s.device.namesUtf8 = {"Lossy"};
  StartSim(s);
  sim->Console("level in 7 33");
  sim->Console("units 2");
  StartSession();
  // The supervisor retries every 5 s and gives up after three queries; the operator presses
  // CONNECT again after a give-up. Bounded: at most five presses.
  for (int press = 0; press < 5 && !Editor().link.online; ++press) {
    messages.clear();
    m_session->Connect();
    Drive([&] { return Editor().link.online || !messages.empty(); }, CConnectionSupervisor::kTickMs, 20);
  }
  ASSERT_TRUE(Editor().link.online);
  EXPECT_EQ(Carried(Editor()), Carried(sim->StateSnapshot()));
  EXPECT_EQ(NameBytes(Editor().in[0].shortName), "Lossy");
  // Damaged reports are dropped, intact ones keep arriving.
  const std::int64_t before = Editor().link.lastReceiveTime;
  EXPECT_TRUE(Drive([&] { return Editor().link.lastReceiveTime > before; }, 10));
}

TEST_F(SessionAgainstSim, DisconnectAndCloseStopTheReports) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  m_session->Disconnect();
  EXPECT_FALSE(Editor().link.online);
  ASSERT_TRUE(sim->WaitFor([&] { return SimFrames("%Q,01,00,") == 2; }, kRealDeadlineMs))
      << "one before the query, one at DISCONNECT";
  EXPECT_EQ(sim->ReceivedFrames().back().rfind("%Q,01,00,", 0), 0u);

  ASSERT_TRUE(ConnectAfterQueries(2));
  m_session->BeginClose();
  ASSERT_TRUE(Drive([&] { return m_session->CloseFinished(); }, CConnectionSupervisor::kTickMs));
  EXPECT_TRUE(sim->WaitFor([&] { return sim->ReceivedFrames().back().rfind("%Q,01,00,", 0) == 0; }, kRealDeadlineMs));
  m_session.reset();
}

// What only the editor keeps survives a restart, and a reload from the processor leaves it alone.
TEST_F(SessionAgainstSim, ValuesOnlyTheEditorKeepsSurviveARestartAndAReload) {
  const test::CTempDir scratch;
  const std::filesystem::path& dir = scratch.Path();
  const std::string file = (dir / "kept-values.txt").string();
  StartSim({});
  StartSession();
  m_session->KeepValuesIn(file);
  ASSERT_TRUE(ConnectAfterQueries(1));
  ASSERT_EQ(m_session->Changes().Set({ParamId::InSend, 2, 3}, {45, {}}), ChangeResult::Applied);
  ASSERT_EQ(m_session->Changes().Set({ParamId::MuteGroupIn, 1, 4}, {1, {}}), ChangeResult::Applied);
  m_session->SetSendInterval(150);
  ASSERT_TRUE(Drive([&] { return std::filesystem::exists(file); }, CConnectionSupervisor::kTickMs));

  // The editor closes and starts again: the values come back before any connection.
  m_session->BeginClose();
  ASSERT_TRUE(Drive([&] { return m_session->CloseFinished(); }, CConnectionSupervisor::kTickMs));
  m_session.reset();
  StartSession();
  EXPECT_GT(m_session->KeepValuesIn(file), 0);
  EXPECT_EQ(Editor().in[2].sends[3], 45);
  EXPECT_EQ(Editor().muteGroups[1].inputs[4], 1);
  EXPECT_EQ(m_session->SendInterval(), 150);
  // A full reload from the processor replaces only what its reports carry.
  ASSERT_TRUE(ConnectAfterQueries(SimFrames("%Z,") + 1));
  EXPECT_EQ(Editor().in[2].sends[3], 45);
  EXPECT_EQ(Editor().muteGroups[1].inputs[4], 1);
}

// With the queue busy, a newer frame of a key still queued leaves after what was queued between:
// the processor ends on the editor's values (the phantom mask every "%O" carries, a level that a
// group plan also carries).
TEST_F(SessionAgainstSim, NewerFramesNeverOvertakeWhatWasQueuedBetween) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  CChangePath& changes = m_session->Changes();
  auto busyPlan = [&](std::initializer_list<int> records) {
    PlanRequest plan;
    for (int r : records) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
    plan.pauseMs = 40;
    return changes.ApplyPlan(plan);
  };
  ASSERT_NE(busyPlan({8, 9, 10}), 0u);
  changes.Set({ParamId::InPhantom, 2, 0}, {1, {}});
  changes.Set({ParamId::InPhantom, 4, 0}, {1, {}});
  changes.Set({ParamId::InPhantom, 2, 0}, {0, {}});
  changes.Set({ParamId::InLevel, 2, 0}, {40, {}});
  ASSERT_NE(busyPlan({2, 3}), 0u);
  changes.Set({ParamId::InLevel, 2, 0}, {55, {}});
  ASSERT_TRUE(m_session->Queue().WaitIdle(kRealDeadlineMs));
  ASSERT_TRUE(sim->WaitFor([&] { return sim->StateSnapshot().in[2].level == 55; }, kRealDeadlineMs));
  const CDeviceState held = sim->StateSnapshot();
  for (int r = 0; r < kAutomixInputs; ++r) EXPECT_EQ(held.in[r].phantom, Editor().in[r].phantom) << r;
  for (int r = 0; r < kWireInputs; ++r) {
    EXPECT_EQ(held.in[r].level, Editor().in[r].level) << r;
    EXPECT_EQ(held.in[r].mute, Editor().in[r].mute) << r;
  }
}

// DISCONNECT while a long plan is on its way queues "%Q" 00 and the link's stop behind it; CONNECT
// right after waits for that link to end and then connects.
TEST_F(SessionAgainstSim, ConnectAfterDisconnectDuringALongPlanConnects) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  plan.pauseMs = 60;  // 0.7 s of real pauses
  ASSERT_NE(m_session->Changes().ApplyPlan(plan), 0u);
  m_session->Disconnect();
  m_session->Connect();
  ASSERT_TRUE(Drive([&] { return Editor().link.online; }, CConnectionSupervisor::kTickMs));
  EXPECT_TRUE(messages.empty()) << "no CANNOT CONNECT.";

  // The simulator saw the whole plan, then the old link's "%Q" 00, then the new handshake ("%Q" 00
  // and the second "%Z").
  std::vector<std::string> seen;
  for (const std::string& f : sim->ReceivedFrames()) {
    if (f.rfind("%Z,", 0) == 0 || f.rfind("%Q,01,00,", 0) == 0 || f.rfind("%A,", 0) == 0) seen.push_back(f.substr(0, 2));
  }
  std::vector<std::string> expected = {"%Q", "%Z"};
  expected.insert(expected.end(), kWireInputs, "%A");
  expected.insert(expected.end(), {"%Q", "%Q", "%Z"});
  EXPECT_EQ(seen, expected);
  const CDeviceState held = sim->StateSnapshot();
  for (int r = 0; r < kWireInputs; ++r) EXPECT_EQ(held.in[r].mute, 1) << r;
  EXPECT_EQ(Editor().in[0].mute, 1) << "the reload shows what the processor now holds";
}

}  // namespace
}  // namespace orvx
