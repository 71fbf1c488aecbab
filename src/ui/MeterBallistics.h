#pragma once
/// Peak hold of one meter column: the peak jumps up with the level, holds for a while and then
/// falls at a steady rate until it meets the level again. Time comes from the caller (ticks of
/// the meter's repaint timer, or a test), never from a clock of its own.

namespace orvx {

class MeterBallistics {
public:
  /// `holdMs` before the peak starts to fall, then `fallPerSecond` units per second.
  explicit MeterBallistics(int holdMs = 1000, double fallPerSecond = 20.0)
      : m_holdMs(holdMs), m_fallPerSecond(fallPerSecond) {}

  /// A new level arrived.
  void SetLevel(double level);
  /// `elapsedMs` passed; returns true when the peak moved.
  bool Advance(int elapsedMs);

  double Level() const { return m_level; }
  double Peak() const { return m_peak; }
  /// True when the peak sits on the level: nothing left to fall.
  bool Resting() const { return m_peak <= m_level; }
  void Reset(double level = 0.0);

private:
  int m_holdMs;
  double m_fallPerSecond;
  double m_level = 0.0;
  double m_peak = 0.0;
  int m_heldMs = 0;
};

}  // namespace orvx
