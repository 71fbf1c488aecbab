#pragma once
/// The rotary knob's arithmetic: value <-> pointer angle, vertical drag, wheel and key steps.
/// Pure; `CSkinKnob` paints and routes.

namespace orvx {

struct KnobMapping {
  int minimum = 0;
  int maximum = 100;
  double sweepDegrees = 270.0;  ///< from the minimum stop (lower left) to the maximum stop
  int pixelsPerRange = 200;     ///< vertical drag distance that covers the whole range

  int Clamp(int value) const;
  /// Fraction 0..1 of the range.
  double Fraction(int value) const;
  /// Pointer angle in degrees, clockwise from straight up: -sweep/2 at minimum, +sweep/2 at maximum.
  double Angle(int value) const;
  /// Value after a drag that began at `startValue` and moved `dy` pixels (down is positive:
  /// dragging up raises the value), rounded to the nearest step, clamped.
  int Drag(int startValue, int dy) const;
  /// Value after `notches` wheel notches (positive: away from the user, raises) of `step`.
  int Wheel(int value, int notches, int step) const;
};

}  // namespace orvx
