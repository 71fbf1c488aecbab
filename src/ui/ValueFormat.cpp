#include "ui/ValueFormat.h"

#include <cmath>

namespace orvx {

namespace {
double SafeDivisor(double divisor) { return divisor == 0.0 ? 1.0 : divisor; }
}  // namespace

QString FormatValueLabel(const ValueLabelFormat& f, double value) {
  if ((f.offMode == 1 && value == f.offValue) || (f.offMode == 2 && value == f.offValue2)) {
    return f.prefix + "OFF";
  }
  const double n = value / SafeDivisor(f.divisor);
  if (n != std::trunc(n)) {
    return f.prefix + QString::asprintf("%0.1f", n - f.offset) + f.suffix;
  }
  return f.prefix + QString::number(static_cast<long long>(n - f.offset)) + f.suffix;
}

QString FormatTrimmed(double number) {
  if (number == std::trunc(number)) {
    return QString::number(static_cast<long long>(number));
  }
  return QString::asprintf("%0.2f", number);
}

QString FormatSliderLabel(const SliderLabelFormat& f, int position, int minimum, int maximum) {
  if (f.mode == 2) {
    return QString::number(static_cast<long long>(f.divisor));
  }
  const int span = maximum - minimum;
  const int v = span == 0 ? f.topValue : f.bottomValue + (f.topValue - f.bottomValue) * (maximum - position) / span;
  return FormatTrimmed(v / SafeDivisor(f.divisor));
}

}  // namespace orvx
