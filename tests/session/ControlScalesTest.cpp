// The non-linear controls: a value read onto its control and back is the same value, every one.
#include <gtest/gtest.h>

#include "core/DeviceState.h"
#include "session/ControlScales.h"

namespace orvx {
namespace {

TEST(ControlScales, FrequencyKnobEndsAndRoundTrips) {
  EXPECT_EQ(FrequencyOfKnob(30), 20);
  EXPECT_EQ(FrequencyOfKnob(330), 19953);
  EXPECT_EQ(FrequencyOfKnob(200), 1000);
  EXPECT_EQ(FrequencyOfKnob(-5), 20) << "outside the knob's range: its end";
  EXPECT_EQ(KnobOfFrequency(20000), 330);
  EXPECT_EQ(KnobOfFrequency(1000), 200);
  EXPECT_EQ(KnobOfFrequency(5), 30);
  // A frequency the knob stands on reads back onto a position of that same frequency (at the low
  // end neighbouring positions share a whole hertz), and the knob never runs backwards.
  for (int p = kFreqKnobMin; p <= kFreqKnobMax; ++p) {
    EXPECT_EQ(FrequencyOfKnob(KnobOfFrequency(FrequencyOfKnob(p))), FrequencyOfKnob(p)) << p;
    if (p > kFreqKnobMin) {
      EXPECT_GE(FrequencyOfKnob(p), FrequencyOfKnob(p - 1)) << p;
    }
  }
}

TEST(ControlScales, EveryEffectLevelHasItsOwnFaderPosition) {
  EXPECT_EQ(EffectFaderPosition(kLevelMax), 0) << "+10 dB at the top";
  EXPECT_EQ(EffectFaderPosition(0), EffectFaderMax()) << "-60 dB at the bottom";
  int previous = EffectFaderMax() + 1;
  for (std::int32_t level = 0; level <= kLevelMax; ++level) {
    const int position = EffectFaderPosition(level);
    EXPECT_LT(position, previous) << "higher levels sit higher, each on its own position";
    previous = position;
    EXPECT_EQ(EffectLevelOfPosition(position), level) << "touching the fader keeps level " << level;
  }
  EXPECT_EQ(EffectLevelOfPosition(-40), kLevelMax);
  EXPECT_EQ(EffectLevelOfPosition(EffectFaderMax() + 99), 0);
}

}  // namespace
}  // namespace orvx
