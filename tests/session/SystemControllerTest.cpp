#include "session/SystemController.h"

#include <gtest/gtest.h>

#include "link/Commands.h"

#include <string>
#include <vector>

#include "device/ConferenceUnits.h"
#include "device/FactoryRecovery.h"
#include "gui/FakeShellSession.h"
#include "link/FrameChecksum.h"
#include "session/ProfileRules.h"

namespace orvx {
namespace {

class SystemControllerTest : public ::testing::Test {
protected:
  SystemControllerTest() {
    session.state.link.deviceIp = "127.0.0.140";
    session.state.unitCount = 4;
  }
  /// The datagrams a plan holds, in order.
  static std::vector<std::string> Datagrams(const FramePlan& plan) {
    std::vector<std::string> out;
    for (const auto& d : plan) out.push_back(d.bytes);
    return out;
  }
  test::FakeShellSession session;
  CMemoryProfile profile;
  CSystemController system{session, profile};
};

TEST_F(SystemControllerTest, TabsAddressAndSpanTime) {
  EXPECT_FALSE(system.SelectTab(SystemTab::Set)) << "the SET tab is never offered";
  EXPECT_EQ(system.Tab(), SystemTab::Connect);
  EXPECT_EQ(system.Units().CurrentUnit(), kNoUnit);
  ASSERT_TRUE(system.SelectTab(SystemTab::Display));
  EXPECT_EQ(system.Units().CurrentUnit(), 0) << "the units tab picks unit 1 when units are reported";

  EXPECT_FALSE(system.ConfirmAddress("127.0.0"));
  EXPECT_EQ(profile.Read(kProfileSection, kProfileHostIp), std::nullopt);
  EXPECT_TRUE(system.ConfirmAddress("127.0.0.141"));
  EXPECT_EQ(session.state.link.deviceIp, "127.0.0.141");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileHostIp), "127.0.0.141");

  const std::pair<const char*, int> spans[] = {{"150", 150}, {" 40", 40}, {"abc", 0}, {"", 0}, {"-5", 0}};
  for (const auto& [text, ms] : spans) {
    system.ConfirmSpanTime(text);
    EXPECT_EQ(system.SpanTime(), ms) << text;
  }
}

TEST_F(SystemControllerTest, SlotChangesGoThroughTheChangePathAndKeepEntriesUnique) {
  session.GoOnline();
  system.SelectTab(SystemTab::Display);
  session.state.unitSlots[2][1] = 5;  // unit 3 feeds CH05
  ASSERT_TRUE(system.Units().SelectUnit(1));
  EXPECT_EQ(system.ChangeSlot(0, 5), &captions::kAlreadySelect);
  EXPECT_TRUE(session.Sent().empty());
  EXPECT_EQ(session.state.unitSlots[1][0], 0);

  EXPECT_EQ(system.ChangeSlot(0, 3), nullptr);
  EXPECT_EQ(session.Sent(), std::vector<std::string>{CompleteFrame("%X,01,02,03FFFFFFFF,")});
  EXPECT_EQ(system.ChangeSlot(4, 17), nullptr);
  ASSERT_EQ(session.Sent().size(), 2u);
  EXPECT_EQ(session.Sent().back(), CompleteFrame("%X,01,02,03FFFFFF11,"));
  // Undo takes the slot back and tells the processor.
  ASSERT_TRUE(session.Changes().Undo());
  EXPECT_EQ(session.state.unitSlots[1][4], 0);
  EXPECT_EQ(session.Sent().back(), CompleteFrame("%X,01,02,03FFFFFFFF,"));
}

TEST_F(SystemControllerTest, CallNeedsTheLinkAndResetAllIsOnePlanOfFourUnits) {
  system.SelectTab(SystemTab::Display);
  // CALL goes only through a connected link's socket, and only for a current unit; otherwise it
  // is refused and says why. (The recording queue here would accept anything: the rule is checked.)
  struct Case {
    const char* what;
    bool connecting, online;
    int unitCount;
    const Caption* refusal;
  };
  const Case cases[] = {
      {"before CONNECT", false, false, 4, &captions::kCallNeedsLink},
      {"CONNECT pressed, link not yet up", true, false, 4, &captions::kCallNeedsLink},
      {"connected, no unit reported", false, true, 0, &captions::kCallNeedsUnit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    session.state.link.connecting = c.connecting;
    session.state.link.online = c.online;
    session.state.unitCount = c.unitCount;
    system.RefreshUnits();
    EXPECT_EQ(system.CallRefusal(), c.refusal);
    EXPECT_FALSE(system.CallUnit());
    EXPECT_TRUE(session.Sent().empty());
  }
  session.state.unitCount = 4;
  system.RefreshUnits();
  ASSERT_TRUE(system.Units().SelectUnit(2));
  EXPECT_EQ(system.CallRefusal(), nullptr);
  EXPECT_TRUE(system.CallUnit());
  EXPECT_EQ(session.Sent(), std::vector<std::string>{CompleteFrame("%W,01,03,")});
  session.state.link.online = false;

  session.state.unitSlots[0][0] = 1;
  session.state.unitSlots[3][4] = 20;
  system.ResetAllUnits();  // offline: the table only
  EXPECT_EQ(session.state.unitSlots[3][4], 0);
  EXPECT_EQ(session.Sent().size(), 1u);

  session.GoOnline();
  session.state.unitSlots[1][2] = 7;
  const std::int64_t before = session.clock.NowMs();
  system.ResetAllUnits();
  const std::vector<std::string> sent = session.Sent();
  ASSERT_EQ(sent.size(), 5u);
  // Units 1..4 in order, each "%X" from the cleared table and a pause after it.
  for (int u = 1; u <= kUnits; ++u) EXPECT_EQ(sent[static_cast<std::size_t>(u)], FrameX(session.state, u)) << u;
  EXPECT_EQ(sent[1], CompleteFrame("%X,01,01,FFFFFFFFFF,"));
  EXPECT_EQ(session.clock.NowMs() - before, kUnits * kResetAllPauseMs);
}

TEST_F(SystemControllerTest, RecoveryWritesTheFactorySetThenPushesItAsOneGatingPlan) {
  session.GoOnline();
  session.state.in[0].level = 5;
  session.Changes().Set({ParamId::InMute, 3, 0}, {1, {}});
  ASSERT_TRUE(session.Changes().CanUndo());
  session.state.controlGroupOn[0] = session.state.controlGroupOn[2] = 1;
  ASSERT_TRUE(system.Recover());
  for (int g = 0; g < kGroups; ++g) EXPECT_EQ(session.state.controlGroupOn[g], 0) << "every group switched off";
  EXPECT_EQ(session.state.in[0].level, 60);
  EXPECT_FALSE(session.Changes().CanUndo()) << "the history described a state that no longer exists";
  EXPECT_TRUE(system.RecoveryRunning());
  EXPECT_EQ(session.Changes().Set({ParamId::InLevel, 0, 0}, {10, {}}), ChangeResult::Busy) << "the device is busy";
  EXPECT_FALSE(system.Recover()) << "not twice at once";

  const std::vector<std::string> sent = session.Sent();
  ASSERT_GT(sent.size(), 1u);
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 1, sent.end()),
            Datagrams(FactoryRecoveryPlan(session.state, session.Glyphs())));
  EXPECT_FALSE(system.RecoveryRunning());
  EXPECT_EQ(system.RecoveryProgress().sent, system.RecoveryProgress().total);

  // Offline: the state is recovered, nothing is sent.
  session.state.link.online = false;
  session.state.in[0].level = 5;
  ASSERT_TRUE(system.Recover());
  EXPECT_EQ(session.state.in[0].level, 60);
  EXPECT_EQ(system.RecoveryPlan(), 0u);
  EXPECT_EQ(session.Sent().size(), sent.size());
}

}  // namespace
}  // namespace orvx
