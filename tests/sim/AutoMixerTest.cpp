#include "AutoMixer.h"
#include "MeterModel.h"
#include "SimDevice.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

constexpr int kTalk = 50;  // -10 dB: above a -45 dB threshold
constexpr int kQuiet = 0;  // -60 dB: below it

/// A mixer with thresholds at -45 dB, MAX OPEN 2, LAST HOLD on, HOLD TIME 500 ms, AUTO.
class AutoMixerTest : public ::testing::Test {
protected:
  AutoMixerTest() { CSimDevice::PowerOnState(state); }

  GateState At(std::int64_t ms, std::initializer_list<int> talking) {
    CAutoMixer::Signals sig;
    sig.fill(kQuiet);
    for (int ch : talking) sig[ch - 1] = kTalk;
    return mixer.Step(ms, sig, state);
  }

  CDeviceState state;
  CAutoMixer mixer;
};

TEST_F(AutoMixerTest, ThresholdIsComparedInDecibels) {
  // threshold 35 is -45 dB; signal 15 is -45 dB (not above), 16 is -44 dB.
  EXPECT_FALSE(CAutoMixer::AboveThreshold(15, 35));
  EXPECT_TRUE(CAutoMixer::AboveThreshold(16, 35));
}

TEST_F(AutoMixerTest, GateHoldsForHoldTimeAfterTheTalkerStops) {
  EXPECT_EQ(At(0, {3}).openMask, 0b100);
  EXPECT_EQ(At(100, {}).openMask, 0b100);  // within 500 ms
  EXPECT_EQ(At(499, {}).openMask, 0b100);
  const GateState closed = At(500, {});
  EXPECT_EQ(closed.openMask, 0);
  EXPECT_EQ(closed.lastHeld, 3) << "LAST HOLD keeps the last open microphone";
}

TEST_F(AutoMixerTest, LastHoldOffReleasesEverything) {
  state.automix[kLastHold] = 0;
  At(0, {3});
  EXPECT_EQ(At(1000, {}).lastHeld, 0);
}

TEST_F(AutoMixerTest, MaxOpenKeepsTheMicrophonesAlreadyOpen) {
  At(0, {1});
  At(10, {1, 2});
  const GateState g = At(20, {1, 2, 3});
  EXPECT_EQ(g.openMask, 0b011) << "a third talker waits while two are open";
  EXPECT_EQ(At(600, {3}).openMask, 0b100) << "it gets in once the others have gone";
}

TEST_F(AutoMixerTest, PriorityPreemptsWhenTheMixerIsFull) {
  state.in[6].priority = 1;
  At(0, {1, 2});
  const GateState g = At(20, {1, 2, 7});
  EXPECT_EQ(g.openMask & (1 << 6), 1 << 6);
  EXPECT_EQ(__builtin_popcount(g.openMask), 2);
  EXPECT_EQ(g.openMask & 0b001, 0b001) << "the earlier open channel keeps its place";
}

TEST_F(AutoMixerTest, MutedChannelNeverOpensAndManualModeOpensTheRest) {
  state.in[0].mute = 1;
  EXPECT_EQ(At(0, {1}).openMask, 0);
  state.automix[kAutoMan] = 1;
  const GateState g = At(10, {});
  EXPECT_EQ(g.openMask, 0xFE);
  EXPECT_EQ(g.lastHeld, 0);
}

TEST(MeterModel, MetersFollowFadersMutesAndClosedGates) {
  CDeviceState s;
  CSimDevice::PowerOnState(s);  // inputs 1..8 routed to MASTER 1 (level 30 = -30 dB)
  s.out[0].level = 60;          // 0 dB
  s.automix[kClosedAttn] = 20;  // closed channels -40 dB
  CTalkers::Signals sig{};
  sig[0] = 50;
  sig[1] = 40;
  s.in[1].mute = 1;
  const MeterSnapshot open = ComputeMeters(sig, GateState{0b1, 0}, s);
  EXPECT_EQ(open.in[0], 60) << "post-fader: signal 50 with the fader at +10 dB";
  EXPECT_EQ(open.in[1], 0) << "muted";
  EXPECT_EQ(open.out[0], 60);
  EXPECT_EQ(open.gateMask, 1);
  const MeterSnapshot closed = ComputeMeters(sig, GateState{0, 0}, s);
  EXPECT_EQ(closed.out[0], 20) << "a closed gate attenuates by CLOSED CH, ATTN";
  const MeterSnapshot held = ComputeMeters(sig, GateState{0, 1}, s);
  EXPECT_EQ(held.out[0], 60) << "LAST HOLD passes the held channel";
  s.out[0].mute = 1;
  EXPECT_EQ(ComputeMeters(sig, GateState{1, 0}, s).out[0], 0);
}

}  // namespace
}  // namespace orvx
