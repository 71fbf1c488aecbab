// The page rules that turn one operator action into several values: the linked threshold, mute
// groups and control-group membership. Frames and pauses are checked on a recording wire.
#include <gtest/gtest.h>

#include "session/WiredChangePath.h"

#include <string>
#include <vector>

#include "link/Commands.h"
#include "session/AutoMixerRules.h"
#include "session/ControlGroups.h"
#include "session/MuteGroups.h"

namespace orvx {
namespace {

using test::FrameField;

class GroupRulesTest : public ::testing::Test, protected test::WiredChangePath {
protected:
  GroupRulesTest() : WiredChangePath("127.0.0.120") {}
};

TEST_F(GroupRulesTest, LinkedThresholdSendsTheChannelThenAllEightPacedAsOneUndoStep) {
  struct Case {
    int record;
    int pause;
  };
  for (const Case c : {Case{2, 20}, Case{7, 10}}) {
    SCOPED_TRACE(c.record + 1);
    state.sync = 1;
    wire.sent.clear();
    wire.at.clear();
    for (int r = 0; r < 8; ++r) state.in[r].threshold = 35 + r;
    ASSERT_EQ(ChangeThreshold(path, state, c.record, 50), ChangeResult::Applied);  // -30 dB
    queue.PumpDue();
    std::vector<std::string> expected{FrameL(state, c.record + 1)};
    for (int ch = 1; ch <= 8; ++ch) expected.push_back(FrameL(state, ch));
    ASSERT_EQ(wire.sent, expected);
    for (const std::string& f : wire.sent) EXPECT_EQ(FrameField(f, 3), "32");
    EXPECT_EQ(wire.at[1], wire.at[0]) << "no pause after the chosen channel's own frame";
    for (std::size_t i = 2; i < wire.at.size(); ++i) EXPECT_EQ(wire.at[i] - wire.at[i - 1], c.pause);

    ASSERT_TRUE(path.Undo());
    for (int r = 0; r < 8; ++r) EXPECT_EQ(state.in[r].threshold, 35 + r) << "one step brings all eight back";
    queue.PumpDue();
  }
}

TEST_F(GroupRulesTest, UnlinkedThresholdSendsOneFrameAndLeavesTheOthers) {
  state.sync = 0;
  for (int r = 0; r < 8; ++r) state.in[r].threshold = 35;
  ASSERT_EQ(ChangeThreshold(path, state, 2, 50), ChangeResult::Applied);
  queue.PumpDue();
  EXPECT_EQ(wire.sent, (std::vector<std::string>{FrameL(state, 3)}));
  EXPECT_EQ(state.in[2].threshold, 50);
  EXPECT_EQ(state.in[0].threshold, 35);
  EXPECT_EQ(state.in[7].threshold, 35);
}

TEST_F(GroupRulesTest, LinkedThresholdOfflineChangesTheStateOnly) {
  state.sync = 1;
  state.link.online = false;
  EXPECT_EQ(ChangeThreshold(path, state, 4, 10), ChangeResult::Applied);
  EXPECT_EQ(queue.PumpDue(), 0);
  for (int r = 0; r < 8; ++r) EXPECT_EQ(state.in[r].threshold, 10);
}

TEST_F(GroupRulesTest, MuteGroupGoesInMemberOrderPacedAfterInputsOnlyWhenSwitchingOn) {
  // Outputs first in the record, inputs in no order: the plan still sends inputs by channel first.
  state.muteGroups[1].outputs[2] = 1;  // output 3 -> channel 15
  state.muteGroups[1].inputs[4] = 1;
  state.muteGroups[1].inputs[13] = 1;  // input 14: no command carries its mute
  state.muteGroups[1].inputs[1] = 1;
  EXPECT_FALSE(MuteGroupApplied(state, 1));

  ASSERT_NE(path.ApplyPlan(MuteGroupPlan(state, 1, true)), 0u);
  EXPECT_TRUE(MuteGroupApplied(state, 1));
  EXPECT_EQ(state.in[13].mute, 1) << "kept in the state";
  queue.PumpDue();
  EXPECT_EQ(wire.sent, (std::vector<std::string>{FrameA(state, 2), FrameA(state, 5), FrameA(state, 15)}));
  EXPECT_EQ(FrameField(wire.sent[2], 3), "01");
  const std::int64_t on = wire.at[0];
  EXPECT_EQ(wire.at, (std::vector<std::int64_t>{on, on + 20, on + 40}));

  wire.sent.clear();
  wire.at.clear();
  const std::int64_t t0 = clock.NowMs();
  ASSERT_NE(path.ApplyPlan(MuteGroupPlan(state, 1, false)), 0u);
  queue.PumpDue();
  EXPECT_EQ(wire.sent, (std::vector<std::string>{FrameA(state, 2), FrameA(state, 5), FrameA(state, 15)}));
  EXPECT_EQ(wire.at, (std::vector<std::int64_t>{t0, t0, t0})) << "off: no pauses";
  EXPECT_FALSE(MuteGroupApplied(state, 1));

  ASSERT_TRUE(path.Undo()) << "the whole group is one step";
  EXPECT_TRUE(MuteGroupApplied(state, 1));
}

TEST_F(GroupRulesTest, MuteGroupOfflineChangesTheStateAndSendsNothing) {
  state.link.online = false;
  state.muteGroups[0].inputs[0] = 1;
  state.muteGroups[0].outputs[7] = 1;
  ChangeResult result{};
  EXPECT_EQ(path.ApplyPlan(MuteGroupPlan(state, 0, true), &result), 0u);
  EXPECT_EQ(result, ChangeResult::Applied);
  EXPECT_EQ(state.in[0].mute + state.out[7].mute, 2);
  EXPECT_EQ(queue.PumpDue(), 0);
  EXPECT_FALSE(MuteGroupApplied(state, 2)) << "an empty group is never applied";
}

TEST_F(GroupRulesTest, ControlGroupHoldsInputsOrOutputsNeverBoth) {
  struct Case {
    const char* what;
    bool memberOutput;
    int memberRecord;
    bool pressOutput;
    int pressRecord;
    bool refused;
  };
  const Case cases[] = {
      {"output 3 refuses an input", true, 2, false, 0, true},
      {"input 2 refuses an output", false, 1, true, 0, true},
      {"input 13 refuses an output too", false, 12, true, 4, true},
      {"the reverb return refuses an output", false, 17, true, 0, true},
      {"input 1 takes another input", false, 0, false, 17, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state.controlGroups[1] = {};
    state.link.online = false;
    ASSERT_TRUE(path.Apply(*ControlMemberToggle(state, 1, c.memberOutput, c.memberRecord)) == ChangeResult::Applied);
    const auto change = ControlMemberToggle(state, 1, c.pressOutput, c.pressRecord);
    EXPECT_EQ(!change.has_value(), c.refused);
    if (change) {
      path.Apply(*change);
      EXPECT_EQ(state.controlGroups[1].memberCount, 2);
    }
  }
  // Clearing the last member leaves a count of 0 and one undo step per press.
  state.controlGroups[0] = {};
  path.Apply(*ControlMemberToggle(state, 0, true, 2));
  EXPECT_EQ(ControlGroupSide(state, 0), GroupSide::Outputs);
  path.Apply(*ControlMemberToggle(state, 0, true, 2));
  EXPECT_EQ(state.controlGroups[0].memberCount, 0);
  EXPECT_EQ(ControlGroupSide(state, 0), GroupSide::None);
  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(state.controlGroups[0].outputs[2], 1);
  EXPECT_EQ(state.controlGroups[0].memberCount, 1);
}

TEST_F(GroupRulesTest, GroupNameIsCutToFifteenBytesAndMayBeCleared) {
  ASSERT_EQ(path.Apply(ControlGroupNameChange(2, "STAGE LEFT PODIUM")), ChangeResult::Applied);
  EXPECT_EQ(NameBytes(state.controlGroups[2].name), "STAGE LEFT PODI");
  EXPECT_EQ(path.Apply(ControlGroupNameChange(2, "")), ChangeResult::Applied);
  EXPECT_EQ(NameBytes(state.controlGroups[2].name), "");
  EXPECT_EQ(queue.PumpDue(), 0) << "group names stay with the editor";
}

}  // namespace
}  // namespace orvx
