#include "session/ChangePath.h"
#include "session/ValueRules.h"
#include "device/ConferenceUnits.h"

#include <gtest/gtest.h>

#include "session/WiredChangePath.h"

#include <string>
#include <vector>

#include "link/Commands.h"
#include "link/ReportEffects.h"

namespace orvx {
namespace {

class ChangePathTest : public ::testing::Test, protected test::WiredChangePath {
protected:
  ChangePathTest() : WiredChangePath("127.0.0.9") {}
  static constexpr ParamAddr kLevel5{ParamId::InLevel, 4, 0};
};

TEST_F(ChangePathTest, QueuesTheExactFrameOnlineAndNothingOffline) {
  std::vector<std::uint32_t> told;
  path.SetNotify([&](std::uint32_t bits) { told.push_back(bits); });
  state.link.online = false;
  EXPECT_EQ(path.Set(kLevel5, {64, {}}), ChangeResult::Applied);
  EXPECT_EQ(state.in[4].level, 64);
  EXPECT_EQ(queue.PumpDue(), 0) << "offline: state kept, nothing queued";

  state.link.online = true;
  EXPECT_EQ(path.Set({ParamId::InMute, 4, 0}, {1, {}}), ChangeResult::Applied);
  EXPECT_EQ(path.Set(kLevel5, {99, {}}), ChangeResult::Applied) << "clamped to 70";
  EXPECT_EQ(path.Set(kLevel5, {70, {}}), ChangeResult::Unchanged);
  queue.PumpDue();
  // The mute's frame had not left yet when the level changed: one "%A" with both values.
  EXPECT_EQ(wire.sent, (std::vector<std::string>{"%A,01,05,01,46,5FAD#"}));
  EXPECT_EQ(wire.sent.front(), FrameA(state, 5));
  EXPECT_EQ(told, (std::vector<std::uint32_t>{change::kLevels, change::kMutes, change::kLevels}));
}

TEST_F(ChangePathTest, RefusesWholeRequestsWithABadPart) {
  const ChangeRequest bad{{{kLevel5, {10, {}}}, {{ParamId::InLevel, 18, 0}, {10, {}}}}};
  EXPECT_EQ(path.Apply(bad), ChangeResult::Refused);
  EXPECT_EQ(state.in[4].level, 70) << "nothing half-applied";
  EXPECT_EQ(path.Set({ParamId::InName, 0, 0}, {0, "ABCDEFGHI"}), ChangeResult::Refused) << "9 bytes";
  EXPECT_FALSE(path.CanUndo());
}

TEST_F(ChangePathTest, ADragSendsAtMostOncePerIntervalAndAlwaysTheFinalValue) {
  queue.SetInterval(100);
  const std::uint64_t gesture = path.NewGesture();
  for (int move = 0; move < 100; ++move) {  // 100 moves in one second
    path.Set(kLevel5, {move % 71, {}}, ChangeOrigin::Drag, gesture);
    queue.PumpDue();
    clock.Advance(10);
  }
  path.Set(kLevel5, {33, {}}, ChangeOrigin::Control, gesture);  // release
  queue.PumpDue();
  EXPECT_LE(wire.sent.size(), 11u);
  EXPECT_GE(wire.sent.size(), 10u) << "one per interval while dragging";
  EXPECT_EQ(wire.sent.back(), FrameA(state, 5));
  EXPECT_EQ(state.in[4].level, 33);
  for (std::size_t i = 1; i + 1 < wire.at.size(); ++i) EXPECT_GE(wire.at[i] - wire.at[i - 1], 100);

  // The whole drag is one step: undo puts the value before the drag back, and sends it.
  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(state.in[4].level, 70);
  EXPECT_FALSE(path.CanUndo());
  queue.PumpDue();
  EXPECT_EQ(wire.sent.back(), FrameA(state, 5));
  ASSERT_TRUE(path.Redo());
  EXPECT_EQ(state.in[4].level, 33);
}

// A newer frame of a key already queued leaves after everything queued before it, never in the
// older one's place: the processor must end on the newest values whatever was queued between.
TEST_F(ChangePathTest, ANewerFrameOfAQueuedKeyLeavesAfterWhatWasQueuedBetween) {
  auto lastFrameOf = [&](char letter) {
    std::string last;
    for (const std::string& f : wire.sent)
      if (f.size() > 1 && f[1] == letter) last = f;
    return last;
  };
  PlanRequest busy;  // the queue is busy with a plan (a mute group, CLEAR MUTE, reset-all)
  for (int r : {7, 8, 9}) busy.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  busy.pauseMs = 20;
  ASSERT_NE(path.ApplyPlan(busy), 0u);

  // Every "%O" carries the phantom mask of inputs 1-8.
  path.Set({ParamId::InPhantom, 2, 0}, {1, {}});
  path.Set({ParamId::InPhantom, 4, 0}, {1, {}});
  path.Set({ParamId::InPhantom, 2, 0}, {0, {}});
  queue.PumpDue();
  EXPECT_EQ(lastFrameOf('O'), FrameO(state, 3)) << "the last mask to leave is the newest";

  // An unsent level of input 3, a group plan built with it, then a newer level.
  wire.sent.clear();
  path.Set({ParamId::InLevel, 2, 0}, {40, {}});
  PlanRequest group;
  for (int r : {2, 3}) group.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  group.pauseMs = 20;
  ASSERT_NE(path.ApplyPlan(group), 0u);
  path.Set({ParamId::InLevel, 2, 0}, {55, {}});
  queue.PumpDue();
  EXPECT_EQ(lastFrameOf('A'), FrameA(state, 3)) << "the plan's older level must not be the last word";
  EXPECT_EQ(wire.sent.back(), FrameA(state, 3));
}

TEST_F(ChangePathTest, ReleaseResendsTheFinalValueHeldBackByThePace) {
  queue.SetInterval(100);
  const std::uint64_t gesture = path.NewGesture();
  path.Set(kLevel5, {50, {}}, ChangeOrigin::Drag, gesture);
  queue.PumpDue();
  clock.Advance(10);
  path.Set(kLevel5, {40, {}}, ChangeOrigin::Drag, gesture);
  queue.PumpDue();
  ASSERT_EQ(wire.sent.size(), 1u) << "the second move waits for the interval";
  path.Set(kLevel5, {40, {}}, ChangeOrigin::Control, gesture);  // release at the same value
  queue.PumpDue();
  ASSERT_EQ(wire.sent.size(), 2u);
  EXPECT_EQ(wire.sent.back(), FrameA(state, 5));
}

TEST_F(ChangePathTest, UndoOfflineChangesTheStateAndSendsNothing) {
  state.link.online = false;
  path.Set({ParamId::InPeqGain, 0, 1}, {200, {}}, ChangeOrigin::Typed);
  ASSERT_TRUE(path.Undo());
  EXPECT_EQ(state.in[0].peq[1].gain, 150);
  EXPECT_EQ(queue.PumpDue(), 0);
  EXPECT_FALSE(path.Undo());
}

TEST_F(ChangePathTest, APlanGoesInOrderWithItsPausesProgressAndGate) {
  PlanRequest plan;
  for (int r : {2, 0, 5}) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  plan.pauseMs = 20;
  const std::uint32_t id = path.ApplyPlan(plan);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(queue.Progress(id).total, 3);
  EXPECT_EQ(queue.Progress(id).sent, 0);
  // While it runs a member's mute is refused, another value is not.
  EXPECT_EQ(path.Set({ParamId::InMute, 0, 0}, {0, {}}), ChangeResult::Busy);
  EXPECT_EQ(path.Set(kLevel5, {20, {}}), ChangeResult::Applied);
  EXPECT_FALSE(path.Undo()) << "no undo while a plan runs";
  queue.PumpDue();
  EXPECT_EQ(wire.sent,
            (std::vector<std::string>{FrameA(state, 3), FrameA(state, 1), FrameA(state, 6), FrameA(state, 5)}));
  EXPECT_EQ(wire.pauses, (std::vector<int>{20, 20, 20}));
  EXPECT_TRUE(queue.Progress(id).Done());
  EXPECT_FALSE(path.Busy());

  // Undo of the plan goes out the same way: member order, 20 ms apart.
  wire.sent.clear();
  wire.pauses.clear();
  path.Undo();               // the level
  ASSERT_TRUE(path.Undo());  // the group
  queue.PumpDue();
  EXPECT_EQ(wire.sent.size(), 4u);
  EXPECT_EQ(wire.pauses, (std::vector<int>{20, 20, 20}));
  EXPECT_EQ(state.in[2].mute + state.in[0].mute + state.in[5].mute, 0);
}

TEST_F(ChangePathTest, APlanOfGivenStepsKeepsTheirOrderRepeatsAndPausesAndSoDoesItsUndo) {
  PlanRequest plan;
  plan.change.writes.push_back({{ParamId::InMute, 2, 0}, {1, {}}});
  plan.change.writes.push_back({{ParamId::InMute, 0, 0}, {1, {}}});
  // The caller's order and pauses, a frame twice, and one for a value that did not move.
  plan.steps = {{{'A', 3, 0}, 0}, {{'A', 1, 0}, 20}, {{'A', 3, 0}, 10}, {{'A', 6, 0}, 0}};
  ASSERT_NE(path.ApplyPlan(plan), 0u);
  queue.PumpDue();
  const std::vector<std::string> frames{FrameA(state, 3), FrameA(state, 1), FrameA(state, 3), FrameA(state, 6)};
  EXPECT_EQ(wire.sent, frames);
  EXPECT_EQ(wire.pauses, (std::vector<int>{20, 10}));

  wire.sent.clear();
  wire.pauses.clear();
  ASSERT_TRUE(path.Undo());
  queue.PumpDue();
  EXPECT_EQ(state.in[2].mute + state.in[0].mute, 0);
  EXPECT_EQ(wire.sent,
            (std::vector<std::string>{FrameA(state, 3), FrameA(state, 1), FrameA(state, 3), FrameA(state, 6)}));
  EXPECT_EQ(wire.pauses, (std::vector<int>{20, 10}));
}

TEST_F(ChangePathTest, RulesBetweenRecordsRefuseAClashForEveryOriginAndNameIt) {
  ASSERT_EQ(path.Set({ParamId::InSource, 2, 0}, {2, {}}), ChangeResult::Applied);
  queue.PumpDue();
  wire.sent.clear();
  struct Case {
    ParamAddr addr;
    std::int32_t raw;
    ChangeResult expected;
    const Caption* message;
  };
  state.unitSlots[1][3] = 5;   // unit 2 feeds CH05
  state.unitSlots[2][0] = 20;  // unit 3 feeds the last entry
  const Case cases[] = {
      {{ParamId::InSource, 6, 0}, 2, ChangeResult::Refused, &captions::kDanteSourceTaken},  // D2 held by input 3
      {{ParamId::InSource, 6, 0}, 0, ChangeResult::Unchanged, nullptr},                     // ANALOG any number
      {{ParamId::InSource, 12, 0}, 2, ChangeResult::Refused, &captions::kDanteSourceTaken},  // input 13
      {{ParamId::InSource, 17, 0}, 2, ChangeResult::Refused, &captions::kDanteSourceTaken},  // reverb return
      {{ParamId::InSource, 16, 0}, 4, ChangeResult::Applied, nullptr},  // the delay return, a free source
      {{ParamId::InSource, 2, 0}, 2, ChangeResult::Unchanged, nullptr},  // its own value again
      {{ParamId::UnitSlot, 0, 0}, 5, ChangeResult::Refused, &captions::kAlreadySelect},
      {{ParamId::UnitSlot, 1, 3}, 5, ChangeResult::Unchanged, nullptr},
      {{ParamId::UnitSlot, 0, 0}, 0, ChangeResult::Unchanged, nullptr},  // NULL always
      {{ParamId::UnitSlot, 0, 1}, 25, ChangeResult::Refused, &captions::kAlreadySelect},  // judged as 20
      {{ParamId::UnitSlot, 0, 0}, 6, ChangeResult::Applied, nullptr},
  };
  for (const Case& c : cases) {
    const ParamValue before = ReadParam(state, c.addr);
    EXPECT_EQ(path.Set(c.addr, {c.raw, {}}), c.expected) << Param(c.addr.id).name << " " << c.raw;
    if (c.expected == ChangeResult::Refused) {
      EXPECT_EQ(path.LastRefusal(), c.message);
      EXPECT_EQ(ReadParam(state, c.addr), before);
    }
  }
  // A script meets the same rules.
  EXPECT_EQ(path.Set({ParamId::UnitSlot, 2, 4}, {6, {}}, ChangeOrigin::Script), ChangeResult::Refused);
  queue.PumpDue();
  EXPECT_EQ(wire.sent.size(), 2u) << "only the two applied values went out";
  // Moving two inputs' Dante sources in one request (a swap) is not a clash.
  ChangeRequest swap;
  swap.writes = {{{ParamId::InSource, 2, 0}, {3, {}}}, {{ParamId::InSource, 4, 0}, {2, {}}}};
  EXPECT_EQ(path.Apply(swap), ChangeResult::Applied);
}

// An undo the rules or a running plan refuse stays on the history, and the path says why.
TEST_F(ChangePathTest, ARefusedUndoKeepsItsStepAndSaysWhy) {
  const ParamAddr source3{ParamId::InSource, 2, 0};
  ASSERT_EQ(path.Set(source3, {2, {}}), ChangeResult::Applied);
  ASSERT_EQ(path.Set(source3, {0, {}}), ChangeResult::Applied);
  state.in[6].source = 2;  // a report gives D2 to input 7 meanwhile

  EXPECT_FALSE(path.Undo());
  EXPECT_EQ(path.LastRefusal(), &captions::kDanteSourceTaken);
  EXPECT_EQ(state.in[2].source, 0);
  EXPECT_TRUE(path.CanUndo()) << "the refused step is still there";
  EXPECT_FALSE(path.CanRedo());

  PlanRequest plan;
  plan.change.writes.push_back({{ParamId::InMute, 0, 0}, {1, {}}});
  plan.pauseMs = 20;
  ASSERT_NE(path.ApplyPlan(plan), 0u);
  state.in[6].source = 0;
  EXPECT_FALSE(path.Undo()) << "no undo while a plan runs";
  EXPECT_EQ(path.LastRefusal(), &captions::kPlanRunning);
  EXPECT_EQ(path.Set({ParamId::InMute, 0, 0}, {0, {}}), ChangeResult::Busy);
  EXPECT_EQ(path.LastRefusal(), &captions::kPlanRunning);
  queue.PumpDue();

  ASSERT_TRUE(path.Undo());  // the plan, which goes out as a plan again
  queue.PumpDue();
  ASSERT_TRUE(path.Undo());  // back to D2, now free
  EXPECT_EQ(state.in[2].source, 2);
  EXPECT_EQ(path.LastRefusal(), nullptr);
  ASSERT_TRUE(path.Redo());
  EXPECT_EQ(state.in[2].source, 0);
}

TEST_F(ChangePathTest, CancelStopsAPlanAndOpensTheGate) {
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  plan.pauseMs = 20;
  plan.gateAll = true;
  const std::uint32_t id = path.ApplyPlan(plan);
  EXPECT_EQ(path.Set(kLevel5, {20, {}}), ChangeResult::Busy) << "a whole-device plan gates everything";
  path.CancelPlan();
  EXPECT_TRUE(queue.Progress(id).cancelled);
  EXPECT_FALSE(path.Busy());
  EXPECT_EQ(queue.PumpDue(), 0);
  EXPECT_EQ(path.Set(kLevel5, {20, {}}), ChangeResult::Applied);
}

}  // namespace
}  // namespace orvx
