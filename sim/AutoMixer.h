#pragma once
/// The processor's automatic microphone mixer for inputs 1..8, driven by its settings in the state:
/// per-channel threshold and PRIORITY, and AUTO/MAN, MAX OPEN CH, LAST HOLD, HOLD TIME.
///
/// A channel asks to open while its signal is above its threshold, and keeps asking for HOLD TIME
/// after the signal falls. At most MAX OPEN CH gates are open: PRIORITY channels first, then channels
/// already open (an open microphone is not cut off by a louder newcomer), then the louder signal.
/// So a PRIORITY channel pre-empts the weakest open channel when the mixer is full. When every gate
/// has closed and LAST HOLD is on, the channel that was open last stays held open.
/// In MAN mode the mixer does not gate: every unmuted channel is open.

#include "core/DeviceState.h"

#include <array>
#include <cstdint>

namespace orvx {

struct GateState {
  std::uint8_t openMask = 0;  ///< bit k: input k + 1 open
  std::uint8_t lastHeld = 0;  ///< input 1..8 held by LAST HOLD, or 0
};

class CAutoMixer {
public:
  /// Signal levels of inputs 1..8 on the meter scale (0..70, 60 = 0 dB), before the fader.
  using Signals = std::array<int, kAutomixInputs>;

  /// Advances the mixer to `nowMs` (monotonic) and returns the gates.
  GateState Step(std::int64_t nowMs, const Signals& levels, const CDeviceState& state);

  /// True when the signal is above the channel's threshold (threshold dB = value - 80).
  static bool AboveThreshold(int signal, int threshold);

private:
  std::array<bool, kAutomixInputs> m_open{};
  std::array<std::int64_t, kAutomixInputs> m_lastAbove{};
  std::array<bool, kAutomixInputs> m_everAbove{};
  int m_lastChannel = 0;  ///< input 1..8 open most recently, 0 before any
};

}  // namespace orvx
