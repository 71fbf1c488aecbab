#include "session/ControlScales.h"

#include <algorithm>
#include <cmath>

#include "core/DeviceState.h"

namespace orvx {

std::int32_t FrequencyOfKnob(int position) {
  const int p = std::clamp(position, kFreqKnobMin, kFreqKnobMax);
  return static_cast<std::int32_t>(std::lround(std::pow(10.0, (p + 100) / 100.0)));
}

int KnobOfFrequency(std::int32_t hz) {
  const double p = 100.0 * std::log10(std::max<std::int32_t>(hz, 1)) - 100.0;
  return std::clamp(static_cast<int>(std::lround(p)), kFreqKnobMin, kFreqKnobMax);
}

int EffectFaderPosition(std::int32_t level) {
  const std::int32_t l = std::clamp(level, 0, kLevelMax);
  return static_cast<int>(std::lround(1000.0 * std::log10(static_cast<double>(kLevelMax + 1 - l))));
}

int EffectFaderMax() { return EffectFaderPosition(0); }

std::int32_t EffectLevelOfPosition(int position) {
  // The level whose position is nearest (positions fall as levels rise).
  std::int32_t best = 0;
  int bestDistance = EffectFaderMax() + 1;
  for (std::int32_t level = 0; level <= kLevelMax; ++level) {
    const int d = std::abs(EffectFaderPosition(level) - position);
    if (d < bestDistance) {
      best = level;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace orvx
