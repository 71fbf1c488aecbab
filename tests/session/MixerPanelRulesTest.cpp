#include <gtest/gtest.h>

#include "session/WiredChangePath.h"

#include <cstdio>
#include <string>
#include <vector>

#include "link/FrameChecksum.h"
#include "session/ChangePath.h"
#include "session/ClearActions.h"
#include "session/MixerOverview.h"
#include "session/SidePanelModel.h"

namespace orvx {
namespace {

// ---- the side panel's keys ----

struct PanelCase {
  const char* name;
  std::vector<void (*)(CSidePanelModel&)> presses;
  PanelSection section;
  OverviewChoice choice;
};

TEST(SidePanelModelTest, KeysSetSectionModeBusAndGroup) {
  using M = CSidePanelModel;
  const PanelCase cases[] = {
      {"system on", {[](M& m) { m.PressSystem(); }}, PanelSection::Main, {1, OverviewMode::System, 0}},
      {"system twice is off",
       {[](M& m) { m.PressSystem(); }, [](M& m) { m.PressSystem(); }},
       PanelSection::Main,
       {1, OverviewMode::None, 0}},
      {"phantom turns system off",
       {[](M& m) { m.PressSystem(); }, [](M& m) { m.PressPhantom(); }},
       PanelSection::Main,
       {1, OverviewMode::Phantom, 0}},
      {"group section resets the mode",
       {[](M& m) { m.PressSystem(); }, [](M& m) { m.PressGroup(); }},
       PanelSection::Group,
       {1, OverviewMode::None, 0}},
      {"mute then control groups exclude",
       {[](M& m) { m.PressGroup(); }, [](M& m) { m.PressMuteGroups(); }, [](M& m) { m.PressControlGroups(); }},
       PanelSection::Group,
       {1, OverviewMode::ControlGroups, 0}},
      {"a view-group key picks its group",
       {[](M& m) { m.PressGroup(); }, [](M& m) { m.PressMuteGroups(); }, [](M& m) { m.PressViewGroup(3); }},
       PanelSection::Group,
       {1, OverviewMode::GroupView, 3}},
      {"another key moves the pick",
       {[](M& m) { m.PressViewGroup(3); }, [](M& m) { m.PressViewGroup(1); }},
       PanelSection::Main,
       {1, OverviewMode::GroupView, 1}},
      {"the lit key picks none",
       {[](M& m) { m.PressViewGroup(2); }, [](M& m) { m.PressViewGroup(2); }},
       PanelSection::Main,
       {1, OverviewMode::None, 0}},
      {"control groups end the group view",
       {[](M& m) { m.PressViewGroup(2); }, [](M& m) { m.PressControlGroups(); }},
       PanelSection::Main,
       {1, OverviewMode::ControlGroups, 0}},
      {"AUX3 is bus 5, mode reset",
       {[](M& m) { m.PressSystem(); }, [](M& m) { m.PressAux(); }, [](M& m) { m.PressBusKey(3); }},
       PanelSection::Aux,
       {5, OverviewMode::None, 0}},
      {"AUX6 is bus 8, LR back to 1", {[](M& m) { m.PressBusKey(6); }}, PanelSection::Main, {8, OverviewMode::None, 0}},
      {"LR",
       {[](M& m) { m.PressBusKey(6); }, [](M& m) { m.PressBusKey(0); }},
       PanelSection::Main,
       {1, OverviewMode::None, 0}},
      {"bad keys change nothing",
       {[](M& m) { m.PressBusKey(7); }, [](M& m) { m.PressViewGroup(5); }},
       PanelSection::Main,
       {1, OverviewMode::None, 0}},
      {"return ends the mode, keeps the bus",
       {[](M& m) { m.PressAux(); }, [](M& m) { m.PressBusKey(2); }, [](M& m) { m.PressReturn(); },
        [](M& m) { m.PressSystem(); }, [](M& m) { m.Reset(); }},
       PanelSection::Main,
       {4, OverviewMode::None, 0}},
  };
  for (const PanelCase& c : cases) {
    SCOPED_TRACE(c.name);
    CSidePanelModel model;
    for (auto press : c.presses) press(model);
    EXPECT_EQ(model.Section(), c.section);
    EXPECT_EQ(model.Choice(), c.choice);
  }
}

// ---- what the overview shows ----

TEST(MixerOverviewTest, StripsComeFromTheGroupRecordsAndTheBus) {
  CDeviceState s;
  s.ResetToDefaults();
  s.muteGroups[0].inputs[2] = 1;
  s.muteGroups[3].inputs[9] = 1;
  s.muteGroups[3].outputs[1] = 1;  // outputs are not input strips
  s.controlGroups[1].inputs[0] = 1;
  s.controlGroups[1].inputs[17] = 1;
  s.controlGroups[2].inputs[5] = 1;

  EXPECT_EQ(OverviewFor(s, {1, OverviewMode::None, 0}), OverviewStrips{});
  EXPECT_EQ(OverviewFor(s, {1, OverviewMode::Phantom, 0}), OverviewStrips{});
  EXPECT_EQ(OverviewFor(s, {1, OverviewMode::System, 0}), (OverviewStrips{{0, 1, 2, 3, 4, 5, 6, 7}, 0}));
  EXPECT_EQ(OverviewFor(s, {3, OverviewMode::MuteGroups, 0}), (OverviewStrips{{2, 9}, 2}));
  EXPECT_EQ(OverviewFor(s, {8, OverviewMode::ControlGroups, 0}), (OverviewStrips{{0, 5, 17}, 7}));
  EXPECT_EQ(OverviewFor(s, {1, OverviewMode::GroupView, 2}), (OverviewStrips{{0, 17}, 0}));
  EXPECT_EQ(OverviewFor(s, {1, OverviewMode::GroupView, 4}), (OverviewStrips{{}, 0}));
  EXPECT_EQ(OutputOfBus(2), -1) << "bus 2 is no bus";
}

// ---- CLEAR MUTE and CLEAR SOLO on the change path ----

class ClearActionsTest : public ::testing::Test, protected test::WiredChangePath {
protected:
  ClearActionsTest() : WiredChangePath("127.0.0.110") {
    for (auto& in : state.in) in.mute = 1;
    for (auto& out : state.out) out.mute = 1;
    state.in[3].solo = 1;
    state.in[17].solo = 1;
  }
  void Drain() {
    for (int i = 0; i < 100 && !queue.Idle(); ++i) queue.PumpDue();
  }
};

TEST_F(ClearActionsTest, ClearMuteSendsTheStripsOwnFramesInOrderAsOneUndoStep) {
  state.link.online = true;
  ChangeResult result{};
  EXPECT_NE(path.ApplyPlan(ClearMutePlan(), &result), 0u);
  EXPECT_EQ(result, ChangeResult::Applied);
  Drain();

  std::vector<std::string> expected;
  char body[32];
  for (int ch = 1; ch <= 12; ++ch) {
    std::snprintf(body, sizeof body, "%%A,01,%02X,00,%02X,", ch, state.in[ch - 1].level);
    expected.push_back(CompleteFrame(body));
  }
  // The effect returns' mutes travel as their levels do: the valueless "%A" of 27 (delay) and 29 (reverb).
  for (int ch : {27, 29}) {
    std::snprintf(body, sizeof body, "%%A,01,%02X,", ch);
    expected.push_back(CompleteFrame(body));
  }
  EXPECT_EQ(wire.sent.size(), 22u) << "inputs 1..12, the effect returns, outputs 13..20; 13..16 have no mute on the wire";
  for (int o = 0; o < 8; ++o) {
    std::snprintf(body, sizeof body, "%%A,01,%02X,00,%02X,", 13 + o, state.out[o].level);
    expected.push_back(CompleteFrame(body));
  }
  EXPECT_EQ(wire.sent, expected);
  EXPECT_EQ(wire.pauses, std::vector<int>(22, kClearMutePauseMs));
  for (const auto& in : state.in) EXPECT_EQ(in.mute, 0);
  for (const auto& out : state.out) EXPECT_EQ(out.mute, 0);

  // One undo step brings all 26 mutes back.
  path.RunningPlan();
  ASSERT_TRUE(path.Undo());
  for (const auto& in : state.in) EXPECT_EQ(in.mute, 1);
  for (const auto& out : state.out) EXPECT_EQ(out.mute, 1);
  EXPECT_FALSE(path.CanUndo());
}

TEST_F(ClearActionsTest, OfflineClearsChangeTheStateAndSendNothing) {
  state.link.online = false;
  path.ApplyPlan(ClearMutePlan());
  EXPECT_EQ(path.Apply(ClearSoloChange()), ChangeResult::Applied);
  Drain();
  EXPECT_TRUE(wire.sent.empty());
  for (const auto& in : state.in) {
    EXPECT_EQ(in.mute, 0);
    EXPECT_EQ(in.solo, 0);
  }
  for (const auto& out : state.out) EXPECT_EQ(out.mute, 0);
}

TEST_F(ClearActionsTest, ClearSoloOnlineIsStateOnly) {
  state.link.online = true;
  EXPECT_EQ(path.Apply(ClearSoloChange()), ChangeResult::Applied);
  Drain();
  EXPECT_TRUE(wire.sent.empty()) << "no command carries SOLO";
  EXPECT_EQ(state.in[3].solo, 0);
  EXPECT_EQ(state.in[17].solo, 0);
  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(state.in[3].solo, 1);
  EXPECT_EQ(state.in[17].solo, 1);
}

}  // namespace
}  // namespace orvx
