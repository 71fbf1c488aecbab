#pragma once
/// Text of numeric read-outs: the value label's prefix/divisor/offset/"OFF" rules and the
/// fader's mapped value label. Pure functions, tested without a window.

#include <QString>

namespace orvx {

/// How a value label turns its value into text.
struct ValueLabelFormat {
  double divisor = 1.0;  ///< shown number = value / divisor
  double offset = 0.0;   ///< subtracted from the shown number
  QString prefix;
  QString suffix;
  int offMode = 0;  ///< 0 never "OFF"; 1 value == offValue; 2 value == offValue2
  double offValue = 1.0;
  double offValue2 = 10.0;
};

/// "G:1.5dB", "G:2dB", "G:OFF", ... A divisor of 0 counts as 1 (no division by zero).
QString FormatValueLabel(const ValueLabelFormat& format, double value);

/// "%0.2f" of `number`, or "%d" of it when it has no fractional part.
QString FormatTrimmed(double number);

/// The fader's value label settings.
struct SliderLabelFormat {
  int mode = 1;           ///< 1 mapped value, 2 the divisor printed with "%d"
  int topValue = 10;      ///< label value at the minimum position
  int bottomValue = -50;  ///< label value at the maximum position
  double divisor = 1.0;
};

/// Label text of a fader at `position` within [minimum, maximum].
QString FormatSliderLabel(const SliderLabelFormat& format, int position, int minimum, int maximum);

}  // namespace orvx
