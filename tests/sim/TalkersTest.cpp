#include "Talkers.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvx {
namespace {

std::vector<CTalkers::Signals> Record(std::uint32_t seed, int steps) {
  CTalkers t(seed, {1, 2, 3, 5});
  std::vector<CTalkers::Signals> out;
  for (int i = 0; i < steps; ++i) out.push_back(t.SignalsAt(1000 + 50LL * i));
  return out;
}

TEST(Talkers, SameSeedSameSignalsOtherSeedOtherSignals) {
  EXPECT_EQ(Record(7, 400), Record(7, 400));
  EXPECT_NE(Record(7, 400), Record(8, 400));
}

TEST(Talkers, OnlyTalkerChannelsSpeakAndEachOfThemDoes) {
  const auto run = Record(3, 600);  // 30 s
  for (int ch = 1; ch <= kWireInputs; ++ch) {
    int loudest = -100;
    for (const auto& s : run) loudest = std::max(loudest, s[ch - 1]);
    const bool talker = ch == 1 || ch == 2 || ch == 3 || ch == 5;
    EXPECT_EQ(loudest > 30, talker) << "channel " << ch << " peaked at " << loudest;
  }
}

TEST(Talkers, FixedLevelOverridesUntilReleased) {
  CTalkers t(1, {});
  t.SetFixed(4, 55);
  EXPECT_EQ(t.SignalsAt(0)[3], 55);
  t.SetFixed(4, std::nullopt);
  EXPECT_LT(t.SignalsAt(10)[3], 0);
  t.SetFixed(13, 55);  // out of range: ignored, no crash
}

TEST(Talkers, LongGapIsBounded) {
  CTalkers t(1, {1});
  t.SignalsAt(0);
  const auto s = t.SignalsAt(10LL * 24 * 3600 * 1000);  // ten days later, at once
  EXPECT_GE(s[0], CTalkers::kNoiseFloor);
}

}  // namespace
}  // namespace orvx
