// Linked channels: while a control group is on, a change of an item its switches link, made on one
// member, is made on every member in the same undo step, and the members' frames follow paced.
// Everything runs through the change path on a recording wire and a fake clock.
#include <gtest/gtest.h>

#include "session/WiredChangePath.h"

#include <string>
#include <vector>

#include "link/Commands.h"
#include "session/CommandFrames.h"
#include "session/ControlGroups.h"
#include "session/LinkedChannels.h"

namespace orvx {
namespace {

class LinkedChannelsTest : public ::testing::Test, protected test::WiredChangePath {
protected:
  static constexpr const char* kDeviceIp = "127.0.0.214";
  LinkedChannelsTest() : WiredChangePath(kDeviceIp) {}
  /// The state at its start-up values again, online, nothing sent yet.
  void Fresh() {
    state = CDeviceState();
    state.ResetToDefaults();
    state.link.online = true;
    state.link.deviceIp = kDeviceIp;
    wire.sent.clear();
    wire.at.clear();
  }
  /// Control group `g` holding `records` (inputs or outputs) with `word` switched on, and on.
  void Group(int g, bool outputs, std::vector<int> records, int word) {
    ControlGroup& group = state.controlGroups[g];
    for (int r : records) (outputs ? group.outputs : group.inputs)[r] = 1;
    group.memberCount = static_cast<int>(records.size());
    group.switches[word] = 1;
    state.controlGroupOn[g] = 1;
  }
  std::string Frame(const CommandKey& key) {
    return BuildCommandFrame(state, key, [this]() -> IGlyphRenderer& { return glyphs; });
  }
  /// The levels of these inputs (or outputs), in this order.
  std::vector<int> Levels(bool outputs, std::initializer_list<int> records) const {
    std::vector<int> levels;
    for (int r : records) levels.push_back(outputs ? state.out[r].level : state.in[r].level);
    return levels;
  }
  /// The wire channel a frame addresses (its third field).
  static int ChannelOf(const std::string& frame) { return std::stoi(test::FrameField(frame, 2), nullptr, 16); }
  /// Milliseconds between each datagram and the one before it.
  std::vector<std::int64_t> Gaps() const {
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < wire.at.size(); ++i) gaps.push_back(wire.at[i] - wire.at[i - 1]);
    return gaps;
  }

};

TEST_F(LinkedChannelsTest, VolumeMovesEveryMemberByTheSameAmountInOneUndoStep) {
  Group(0, false, {0, 2, 5}, kSwitchVol);
  state.in[0].level = 40;
  state.in[2].level = 50;
  state.in[5].level = 66;
  state.in[1].level = 30;  // not a member
  ASSERT_EQ(path.Set({ParamId::InLevel, 2, 0}, {55, {}}), ChangeResult::Applied);  // +5 on CH 3
  EXPECT_EQ(Levels(false, {0, 2, 5, 1}), (std::vector<int>{45, 55, 70, 30})) << "CH 6 stops at the top";
  queue.PumpDue();
  EXPECT_EQ(wire.sent, (std::vector<std::string>{FrameA(state, 3), FrameA(state, 1), FrameA(state, 6)}));
  EXPECT_EQ(Gaps(), (std::vector<std::int64_t>{0, kLinkedChannelPauseMs})) << "10 ms after each linked channel";

  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(Levels(false, {0, 2, 5}), (std::vector<int>{40, 50, 66}));
  EXPECT_FALSE(path.CanUndo()) << "one step for the member and its linked channels";
}

TEST_F(LinkedChannelsTest, ADragKeepsTheOffsetsAndIsPacedAsOneGesture) {
  Group(1, true, {0, 1, 3}, kSwitchVol);  // MASTER 1, MASTER 2, MASTER 4
  state.out[0].level = 30;
  state.out[1].level = 60;
  state.out[3].level = 20;
  queue.SetInterval(100);
  const std::uint64_t gesture = path.NewGesture();
  auto dragTo = [&](int level) {  // a move every 10 ms
    path.Set({ParamId::OutLevel, 0, 0}, {level, {}}, ChangeOrigin::Drag, gesture);
    queue.PumpDue();
    clock.Advance(10);
  };
  // Up by 20 (MASTER 2 stops at 70), back down to 5 below the start (MASTER 4 stays above 0).
  for (int level = 31; level <= 50; ++level) dragTo(level);
  EXPECT_EQ(state.out[1].level, 70);
  for (int level = 49; level >= 25; --level) dragTo(level);
  path.Set({ParamId::OutLevel, 0, 0}, {25, {}}, ChangeOrigin::Control, gesture);  // release
  queue.PumpDue();
  EXPECT_EQ(Levels(true, {0, 1, 3}), (std::vector<int>{25, 55, 15})) << "MASTER 2 got back the offset it lost at the top";

  // While dragging each output's frame left at most once per interval; the release sent all three.
  for (int out : {1, 2, 4}) {
    std::vector<std::int64_t> at;
    for (std::size_t i = 0; i < wire.sent.size(); ++i)
      if (ChannelOf(wire.sent[i]) == 12 + out) at.push_back(wire.at[i]);
    ASSERT_GE(at.size(), 4u) << "output " << out;
    for (std::size_t i = 1; i + 1 < at.size(); ++i) EXPECT_GE(at[i] - at[i - 1], 100) << "output " << out;
  }
  const std::vector<std::string> last(wire.sent.end() - 3, wire.sent.end());
  EXPECT_EQ(last, (std::vector<std::string>{FrameA(state, 13), FrameA(state, 14), FrameA(state, 16)}));

  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(Levels(true, {0, 1, 3}), (std::vector<int>{30, 60, 20}));
  EXPECT_FALSE(path.CanUndo()) << "the whole drag is one step";
}

// Every item but VOL copies the value to the members that have it; each member's frame follows
// with 10 ms after it.
TEST_F(LinkedChannelsTest, EveryOtherItemCopiesItsValueToTheMembers) {
  struct Case {
    const char* item;
    bool outputs;
    int word;
    ParamAddr changed;
    std::int32_t raw;
    std::vector<int> members;  ///< the changed record first
    std::vector<int> moved;    ///< the others that take the value
    std::int32_t expected;     ///< what they hold then
  };
  const Case cases[] = {
      {"EQ band", false, kSwitchEq, {ParamId::InPeqGain, 1, 2}, 210, {1, 3, 10}, {3, 10}, 210},
      {"EQ high-pass", false, kSwitchEq, {ParamId::InHpfFreq, 0, 0}, 120, {0, 4}, {4}, 120},
      {"COMP", false, kSwitchComp, {ParamId::InCompThreshold, 4, 0}, 12, {4, 5, 6}, {5, 6}, 12},
      {"GAIN, two steps from input 9", false, kSwitchGain, {ParamId::InPreamp, 0, 0}, 3, {0, 1, 8}, {1, 8}, -1},
      {"PRIORITY, inputs 1-8 only", false, kSwitchPriority, {ParamId::InPriority, 2, 0}, 1, {2, 7, 9}, {7}, 1},
      {"48V", false, kSwitchPhantom, {ParamId::InPhantom, 0, 0}, 1, {0, 3}, {3}, 1},
      {"GEQ band", true, kSwitchEq, {ParamId::OutGeqGain, 4, 17}, 90, {4, 5}, {5}, 90},
      {"LIMIT", true, kSwitchLimit, {ParamId::OutLimRatio, 0, 0}, 40, {0, 2}, {2}, 40},
      {"LINE", true, kSwitchLine, {ParamId::OutLine, 6, 0}, 1, {6, 7}, {7}, 1},
      {"FBK", true, kSwitchFbk, {ParamId::OutFbk, 1, 0}, 1, {1, 2}, {2}, 1},
      {"Delay", true, kSwitchDelay, {ParamId::OutDelay, 3, 0}, 150, {3, 0}, {0}, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    Fresh();
    Group(2, c.outputs, c.members, c.word);
    const CDeviceState before = state;
    ASSERT_EQ(path.Set(c.changed, {c.raw, {}}), ChangeResult::Applied);
    std::vector<std::string> expected;
    for (const CommandKey& key : CommandsFor(c.changed)) expected.push_back(Frame(key));
    for (int r : c.moved) {
      const ParamAddr member{c.changed.id, r, c.changed.index};
      const std::int32_t want = c.expected >= 0 ? c.expected : RawMaxFor(Param(c.changed.id), r);
      EXPECT_EQ(ReadParam(state, member).raw, want) << "record " << r;
      for (const CommandKey& key : CommandsFor(member)) expected.push_back(Frame(key));
    }
    queue.PumpDue();
    EXPECT_EQ(wire.sent, expected);
    for (std::size_t i = 1; i < wire.at.size(); ++i)
      EXPECT_EQ(wire.at[i] - wire.at[i - 1], i == 1 ? 0 : kLinkedChannelPauseMs);
    ASSERT_TRUE(path.Undo());
    for (int r : c.moved) {
      const ParamAddr member{c.changed.id, r, c.changed.index};
      EXPECT_EQ(ReadParam(state, member), ReadParam(before, member)) << "record " << r << " back";
    }
    queue.PumpDue();
  }
}

TEST_F(LinkedChannelsTest, NothingIsLinkedWithoutTheGroupOnItsSwitchAndTheMember) {
  struct Case {
    const char* why;
    void (*spoil)(CDeviceState&);
    ParamAddr changed;
  };
  const Case cases[] = {
      {"group off", [](CDeviceState& s) { s.controlGroupOn[0] = 0; }, {ParamId::InLevel, 0, 0}},
      {"VOL switch off", [](CDeviceState& s) { s.controlGroups[0].switches[kSwitchVol] = 0; }, {ParamId::InLevel, 0, 0}},
      {"not a member", [](CDeviceState&) {}, {ParamId::InLevel, 2, 0}},
      {"an item no switch links (MUTE)", [](CDeviceState&) {}, {ParamId::InMute, 0, 0}},
      {"an item whose switch is off (EQ)", [](CDeviceState&) {}, {ParamId::InPeqGain, 0, 0}},
      {"the output of the same number", [](CDeviceState&) {}, {ParamId::OutLevel, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Fresh();
    Group(0, false, {0, 1}, kSwitchVol);
    c.spoil(state);
    const CDeviceState before = state;
    ASSERT_EQ(path.Set(c.changed, {ReadParam(state, c.changed).raw == 1 ? 0 : 1, {}}), ChangeResult::Applied);
    for (int r = 0; r < kInputRecords; ++r) {
      if (c.changed.id != ParamId::OutLevel && r == c.changed.record) continue;
      EXPECT_EQ(state.in[r].level, before.in[r].level) << r;
      EXPECT_EQ(state.in[r].peq[0].gain, before.in[r].peq[0].gain) << r;
      EXPECT_EQ(state.in[r].mute, before.in[r].mute) << r;
    }
    EXPECT_TRUE(LinkedRecords(state, c.changed).empty());
  }
}

// A whole equaliser at once (a recall, RESET, BYPASS) goes to every member with 50 ms after each
// of its frames, after the plan's own frames, and the plan owns the members' values until it ends.
TEST_F(LinkedChannelsTest, AWholeEqualiserPlanCopiesEveryFieldWithItsPauses) {
  Group(3, false, {2, 5}, kSwitchEq);
  PlanRequest recall;
  recall.change.origin = ChangeOrigin::Menu;
  for (int band = 0; band < 4; ++band) {
    recall.change.writes.push_back({{ParamId::InPeqGain, 2, band}, {100 + 20 * band, {}}});
    recall.steps.push_back({{'G', 3, band + 1}, 0});
  }
  recall.change.writes.push_back({{ParamId::InHpfFreq, 2, 0}, {250, {}}});
  recall.change.writes.push_back({{ParamId::InLpfOn, 2, 0}, {1, {}}});
  recall.steps.push_back({{'E', 3, 0}, 0});
  recall.steps.push_back({{'F', 3, 0}, 0});
  ChangeResult result = ChangeResult::Refused;
  ASSERT_NE(path.ApplyPlan(recall, &result), 0u);
  ASSERT_EQ(result, ChangeResult::Applied);
  for (int band = 0; band < 4; ++band) EXPECT_EQ(state.in[5].peq[band].gain, 100 + 20 * band);
  EXPECT_EQ(state.in[5].hpfFreq, 250);
  EXPECT_EQ(state.in[5].lpfOn, 1);
  EXPECT_EQ(path.Set({ParamId::InHpfFreq, 5, 0}, {300, {}}), ChangeResult::Busy) << "the plan owns the member";

  queue.PumpDue();
  std::vector<std::string> expected;
  for (int ch : {3, 6}) {
    for (int band = 1; band <= 4; ++band) expected.push_back(FrameG(state, ch, band));
    expected.push_back(FrameE(state, ch));
    expected.push_back(FrameF(state, ch));
  }
  EXPECT_EQ(wire.sent, expected);
  const std::vector<std::int64_t> gaps = Gaps();
  for (std::size_t i = 0; i < gaps.size(); ++i)
    EXPECT_EQ(gaps[i], i < 6 ? 0 : kLinkedBlockPauseMs) << "after frame " << i + 1;

  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(state.in[5].peq[0].gain, 150);
  EXPECT_EQ(state.in[5].hpfFreq, 20);
  EXPECT_EQ(state.in[2].hpfFreq, 20);
}

TEST_F(LinkedChannelsTest, TheGroupKeySwitchesTheLinkAsAChangeOfItsOwn) {
  Group(1, false, {0, 1}, kSwitchVol);
  state.controlGroupOn[1] = 0;
  ASSERT_EQ(path.Apply(ControlGroupKeyChange(state, 1)), ChangeResult::Applied);
  EXPECT_EQ(state.controlGroupOn[1], 1);
  EXPECT_EQ(queue.PumpDue(), 0) << "the key itself sends nothing";
  path.Set({ParamId::InLevel, 0, 0}, {50, {}});
  EXPECT_EQ(state.in[1].level, 50);
  EXPECT_EQ(queue.PumpDue(), 2);
  ASSERT_EQ(path.Apply(ControlGroupKeyChange(state, 1)), ChangeResult::Applied);
  EXPECT_EQ(state.controlGroupOn[1], 0);
  path.Set({ParamId::InLevel, 0, 0}, {40, {}});
  EXPECT_EQ(state.in[1].level, 50);
  EXPECT_EQ(queue.PumpDue(), 1);
}

}  // namespace
}  // namespace orvx
