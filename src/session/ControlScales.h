#pragma once
/// Where a raw value sits on a control that is not linear in it: the frequency knobs (a log scale
/// of positions 30..330) and the effect units' level faders (the 71 level steps drawn on a log
/// scale). Each pair maps a value to a position and back; the way back takes the value whose
/// position is nearest, so touching a control never moves its value.

#include <cstdint>

namespace orvx {

/// Frequency knobs: Hz = round(10^((position + 100) / 100)), positions 30 (20 Hz) .. 330 (19953 Hz).
constexpr int kFreqKnobMin = 30;
constexpr int kFreqKnobMax = 330;
std::int32_t FrequencyOfKnob(int position);
/// The knob's position of a frequency: round(100 log10(Hz) - 100), inside the knob's range.
int KnobOfFrequency(std::int32_t hz);

/// Effect level faders: level 70 (+10 dB) at the top (position 0), level 0 (-60 dB) at the bottom.
/// Position = round(1000 log10(71 - level)), so the scale is the log one of the level's distance
/// from the top, each of the 71 levels on a position of its own.
int EffectFaderMax();
int EffectFaderPosition(std::int32_t level);
std::int32_t EffectLevelOfPosition(int position);

}  // namespace orvx
