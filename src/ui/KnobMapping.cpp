#include "ui/KnobMapping.h"

#include <algorithm>
#include <cmath>

namespace orvx {

int KnobMapping::Clamp(int value) const {
  return std::clamp(value, std::min(minimum, maximum), std::max(minimum, maximum));
}

double KnobMapping::Fraction(int value) const {
  const int span = maximum - minimum;
  return span == 0 ? 0.0 : static_cast<double>(Clamp(value) - minimum) / span;
}

double KnobMapping::Angle(int value) const { return -sweepDegrees / 2 + Fraction(value) * sweepDegrees; }

int KnobMapping::Drag(int startValue, int dy) const {
  if (pixelsPerRange <= 0) {
    return Clamp(startValue);
  }
  const double delta = -static_cast<double>(dy) * (maximum - minimum) / pixelsPerRange;
  return Clamp(startValue + static_cast<int>(std::lround(delta)));
}

int KnobMapping::Wheel(int value, int notches, int step) const { return Clamp(value + notches * std::max(1, step)); }

}  // namespace orvx
