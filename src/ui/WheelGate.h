#pragma once
/// Whether a turn of the mouse wheel over a control changes its value or scrolls the page: a
/// pointer merely passing over a fader while the operator scrolls must not move a level. The
/// control takes the wheel once the pointer has rested on it, or at once with Ctrl or Shift held.
/// Pure logic on given times (milliseconds of a monotonic clock).

#include <cstdint>

namespace orvx {

class CWheelGate {
public:
  /// How long the pointer rests on a control before the wheel changes its value.
  static constexpr std::int64_t kRestMs = 400;

  void PointerEntered(std::int64_t nowMs) { m_enteredAt = nowMs; }
  void PointerLeft() { m_enteredAt = -1; }
  /// True when this turn is the control's; false when it belongs to the page (scrolling).
  bool TakesWheel(std::int64_t nowMs, bool modifierHeld) const {
    return modifierHeld || (m_enteredAt >= 0 && nowMs - m_enteredAt >= kRestMs);
  }

private:
  std::int64_t m_enteredAt = -1;  ///< -1: the pointer is not over the control
};

/// Milliseconds of the monotonic clock the controls hand to their gate.
std::int64_t WheelClockMs();

}  // namespace orvx
