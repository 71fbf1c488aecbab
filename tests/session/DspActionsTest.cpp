// RESET, BYPASS and preset recall of the DSP editors: the values written, the frames in their
// order with their pauses, and where each command reaches. Checked on a recording wire.
#include <gtest/gtest.h>

#include "session/RecordingWire.h"

#include <functional>
#include <string>
#include <vector>

#include "link/Commands.h"
#include "session/DspActions.h"

namespace orvx {
namespace {

class DspActionsTest : public ::testing::Test {
protected:
  DspActionsTest() {
    state.ResetToDefaults();
    state.link.online = true;
    state.link.deviceIp = "127.0.0.121";
  }
  std::vector<std::string> Sent() {
    queue.PumpDue();
    return wire.sent;
  }
  std::vector<std::int64_t> Gaps() const {
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < wire.at.size(); ++i) gaps.push_back(wire.at[i] - wire.at[i - 1]);
    return gaps;
  }
  std::vector<std::string> BandsThenFilters(int record) const {
    std::vector<std::string> f;
    for (int band = 1; band <= 4; ++band) f.push_back(FrameG(state, record + 1, band));
    f.push_back(FrameE(state, record + 1));
    f.push_back(FrameF(state, record + 1));
    return f;
  }
  void Scramble(int record) {
    InputChannel& c = state.in[record];
    for (int b = 0; b < kPeqBands; ++b) c.peq[b] = {700 + b, 40 + 2 * b, 5 + b, {0, 0}, b == 0 ? 1 : 0};
    c.hpfOn = c.lpfOn = 1;
    c.hpfFreq = 90;
    c.lpfFreq = 9000;
    c.hpfSlope = c.lpfSlope = 5;
  }

  FakeClock clock;
  test::RecordingWire wire{clock};
  CSendQueue queue{wire, wire, clock};
  CDeviceState state;
  test::BlankGlyphs glyphs;
  CChangePath path{state, queue, [this]() -> IGlyphRenderer& { return glyphs; }};
};

TEST_F(DspActionsTest, PeqResetWritesItsValuesAndSendsBandsThenFiltersTwentyMsApartAsOneUndoStep) {
  for (int record : {2, 10, 15}) {  // inputs 9..16 reach the processor like 1..8
    SCOPED_TRACE(record + 1);
    wire.sent.clear();
    wire.at.clear();
    Scramble(record);
    const InputChannel before = state.in[record];
    ASSERT_EQ(RunDspAction(path, PeqReset(record)), ChangeResult::Applied);
    const InputChannel& c = state.in[record];
    const int freqs[4] = {200, 500, 1000, 5000};
    for (int b = 0; b < 4; ++b) {
      EXPECT_EQ(c.peq[b].freq, freqs[b]);
      EXPECT_EQ(c.peq[b].gain, 150);
      EXPECT_EQ(c.peq[b].q, 20);
      EXPECT_EQ(c.peq[b].type, 0);
    }
    EXPECT_EQ(c.peq[4].freq, before.peq[4].freq) << "band 5 is left alone";
    EXPECT_EQ(c.peq[4].gain, before.peq[4].gain);
    EXPECT_EQ((std::vector{c.hpfFreq, c.hpfSlope, c.hpfOn, c.lpfFreq, c.lpfSlope, c.lpfOn}),
              (std::vector{20, 2, 0, 20000, 2, 0}));
    EXPECT_EQ(Sent(), BandsThenFilters(record));
    EXPECT_EQ(Gaps(), (std::vector<std::int64_t>(5, kEqActionPauseMs)));

    ASSERT_TRUE(path.Undo());
    EXPECT_EQ(state.in[record].peq[2].freq, before.peq[2].freq);
    EXPECT_EQ(state.in[record].hpfOn, 1) << "one undo puts every value back";
    queue.PumpDue();
  }
}

TEST_F(DspActionsTest, AnEffectReturnsEqChangesTheStateAndSendsNothing) {
  Scramble(kDelayRecord);
  EXPECT_EQ(RunDspAction(path, PeqReset(kDelayRecord)), ChangeResult::Applied);
  EXPECT_EQ(state.in[kDelayRecord].peq[0].freq, 200);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(DspActionsTest, BypassFlattensThenPutsTheChannelsOwnBackupBack) {
  CPeqBypass bypass;
  Scramble(0);
  Scramble(1);
  state.in[1].peq[2].gain = 250;
  const InputChannel first = state.in[0];
  const InputChannel second = state.in[1];

  ASSERT_EQ(RunDspAction(path, bypass.Switch(state, 0)), ChangeResult::Applied);
  ASSERT_EQ(RunDspAction(path, bypass.Switch(state, 1)), ChangeResult::Applied);
  EXPECT_TRUE(bypass.On(0) && bypass.On(1));
  for (int b = 0; b < 4; ++b) EXPECT_EQ(state.in[1].peq[b].gain, 150);
  EXPECT_EQ(state.in[1].peq[4].gain, second.peq[4].gain) << "band 5 is not bypassed";
  EXPECT_EQ((std::vector{state.in[1].hpfOn, state.in[1].lpfOn, state.in[1].hpfFreq, state.in[1].lpfFreq}),
            (std::vector{0, 0, 20, 20000}));
  queue.PumpDue();
  wire.sent.clear();
  wire.at.clear();

  // Switching off the first channel brings back its own values, not the second channel's.
  ASSERT_EQ(RunDspAction(path, bypass.Switch(state, 0)), ChangeResult::Applied);
  EXPECT_FALSE(bypass.On(0));
  for (int b = 0; b < 4; ++b) {
    EXPECT_EQ(state.in[0].peq[b].gain, first.peq[b].gain);
    EXPECT_EQ(state.in[0].peq[b].freq, first.peq[b].freq);
  }
  EXPECT_EQ((std::vector{state.in[0].hpfOn, state.in[0].hpfFreq, state.in[0].lpfSlope}),
            (std::vector{first.hpfOn, first.hpfFreq, first.lpfSlope}));
  const std::vector<std::string> sent = Sent();
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0], FrameE(state, 1)) << "the filters go first";
  EXPECT_EQ(sent[1], FrameF(state, 1));
  for (int band = 1; band <= 4; ++band) EXPECT_EQ(sent[static_cast<std::size_t>(1 + band)], FrameG(state, 1, band));
  EXPECT_EQ(Gaps(), (std::vector<std::int64_t>(5, kEqActionPauseMs)));

  // The second channel's EQ is rewritten from outside (a reload): its backup no longer applies.
  state.in[1].peq[0].gain = 90;
  ASSERT_NE(RunDspAction(path, bypass.Switch(state, 1)), ChangeResult::Refused);
  EXPECT_FALSE(bypass.On(1));
  EXPECT_EQ(state.in[1].peq[0].gain, 90) << "the loaded values stand";
  EXPECT_EQ(state.in[1].peq[2].gain, 150);
}

TEST_F(DspActionsTest, AForgottenBackupIsNotRestored) {
  CPeqBypass bypass;
  Scramble(3);
  RunDspAction(path, bypass.Switch(state, 3));
  bypass.Forget(3);  // a preset recall or a scene rewrote the channel
  EXPECT_FALSE(bypass.On(3));
  const DspAction next = bypass.Switch(state, 3);  // switches on again, from the flat values
  EXPECT_TRUE(bypass.On(3));
  RunDspAction(path, next);
  bypass.ForgetAll();
  EXPECT_FALSE(bypass.On(3));
}

TEST_F(DspActionsTest, RecallsSendTheirKindsFrames) {
  struct Case {
    PresetKind kind;
    int record;
    std::vector<ParamWrite> writes;
    std::function<std::vector<std::string>(const CDeviceState&)> frames;
    bool pauses;
  };
  const std::vector<Case> cases = {
      {PresetKind::Peq, 9, {{{ParamId::InPeqGain, 9, 1}, {200, {}}}},
       [this](const CDeviceState&) { return BandsThenFilters(9); }, false},
      {PresetKind::Limiter, 0, {{{ParamId::OutLimThreshold, 0, 0}, {12, {}}}},
       [](const CDeviceState& s) { return std::vector{FrameD(s, 1), FrameD(s, 2)}; }, false},
      {PresetKind::Limiter, 2, {{{ParamId::OutLimThreshold, 2, 0}, {12, {}}}},
       [](const CDeviceState& s) { return std::vector{FrameD(s, 3)}; }, false},
      // The compressor goes wherever its knobs send, inputs 9..16 too.
      {PresetKind::Compressor, 10, {{{ParamId::InCompRatio, 10, 0}, {40, {}}}},
       [](const CDeviceState& s) { return std::vector{FrameC(s, 11)}; }, false},
      {PresetKind::Noise, 4, {{{ParamId::InGateThreshold, 4, 0}, {30, {}}}},
       [](const CDeviceState&) { return std::vector<std::string>{}; }, false},
      {PresetKind::Geq, 5, {{{ParamId::OutGeqGain, 5, 3}, {100, {}}}, {{ParamId::OutGeqGain, 5, 9}, {200, {}}}},
       [](const CDeviceState& s) { return std::vector{FrameH(s, 6)}; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    wire.sent.clear();
    wire.at.clear();
    ASSERT_EQ(RunDspAction(path, PresetRecall(c.kind, c.writes, c.record)), ChangeResult::Applied);
    for (const ParamWrite& w : c.writes) EXPECT_EQ(ReadParam(state, w.addr), w.value);
    EXPECT_EQ(Sent(), c.frames(state));
    for (std::int64_t gap : Gaps()) EXPECT_EQ(gap, 0) << "a recall has no pauses";
  }
}

TEST_F(DspActionsTest, ResetsWriteTheirDefaultsAndSendOneFrameOrNone) {
  struct Case {
    const char* what;
    DspAction action;
    std::vector<std::pair<ParamAddr, std::int32_t>> values;
    std::function<std::vector<std::string>(const CDeviceState&)> frames;
  };
  state.out[3].geq[7].gain = 20;
  state.in[6].dyn2[1] = 44;
  const std::vector<Case> cases = {
      {"geq", GeqReset(3), {{{ParamId::OutGeqGain, 3, 7}, 150}, {{ParamId::OutGeqGain, 3, 30}, 150}},
       [](const CDeviceState& s) { return std::vector{FrameH(s, 4)}; }},
      {"compressor", CompressorReset(6),
       {{{ParamId::InCompOn, 6, 0}, 1}, {{ParamId::InCompThreshold, 6, 0}, 30}, {{ParamId::InCompRatio, 6, 0}, 10},
        {{ParamId::InCompAttack, 6, 0}, 100}, {{ParamId::InCompRelease, 6, 0}, 100}, {{ParamId::InCompGain, 6, 0}, 0}},
       [](const CDeviceState& s) { return std::vector{FrameC(s, 7)}; }},
      {"gate", GateReset(6),
       {{{ParamId::InGateOn, 6, 0}, 1}, {{ParamId::InGateThreshold, 6, 0}, 0}, {{ParamId::InGateAttack, 6, 0}, 1},
        {{ParamId::InGateRelease, 6, 0}, 20}},
       [](const CDeviceState&) { return std::vector<std::string>{}; }},
      {"limiter", LimiterReset(2),
       {{{ParamId::OutLimOn, 2, 0}, 1}, {{ParamId::OutLimThreshold, 2, 0}, 30}, {{ParamId::OutLimRatio, 2, 0}, 10},
        {{ParamId::OutLimAttack, 2, 0}, 100}, {{ParamId::OutLimRelease, 2, 0}, 100}, {{ParamId::OutLimGain, 2, 0}, 0}},
       [](const CDeviceState& s) { return std::vector{FrameD(s, 3)}; }},
      {"delay", DelayReset(),
       {{{ParamId::DelayTime1, 0, 0}, 133}, {{ParamId::DelayTime2, 0, 0}, 232}, {{ParamId::DelayFeedback, 0, 0}, 38},
        {{ParamId::DelayLpf, 0, 0}, 20000}},
       [](const CDeviceState&) { return std::vector<std::string>{}; }},
      {"reverb", ReverbReset(),
       {{{ParamId::ReverbP1, 0, 0}, 61}, {{ParamId::ReverbP2, 0, 0}, 48}, {{ParamId::ReverbP3, 0, 0}, 47},
        {{ParamId::ReverbP4, 0, 0}, 50}, {{ParamId::ReverbTime, 0, 0}, 3}, {{ParamId::ReverbLpf, 0, 0}, 20000}},
       [](const CDeviceState&) { return std::vector<std::string>{}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    wire.sent.clear();
    RunDspAction(path, c.action);
    for (const auto& [addr, raw] : c.values) EXPECT_EQ(ReadParam(state, addr).raw, raw) << Param(addr.id).name;
    EXPECT_EQ(Sent(), c.frames(state));
  }
}

}  // namespace
}  // namespace orvx
