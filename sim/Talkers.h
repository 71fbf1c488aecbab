#pragma once
/// Simulated talkers on some microphones: each alternates speech bursts and pauses of seeded random
/// length; while speaking its level moves syllable by syllable. Other inputs carry a low noise floor.
/// A console command can pin an input to a fixed level (for demos and tests) or release it again.

#include "SimRandom.h"
#include "core/DeviceState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvx {

class CTalkers {
public:
  using Signals = std::array<int, kWireInputs>;  ///< meter scale 0..70, 60 = 0 dB

  /// `channels`: inputs 1..12 that have a talker.
  CTalkers(std::uint32_t seed, const std::vector<int>& channels);

  /// Signal levels of inputs 1..12 at `nowMs` (monotonic; times before the previous call are
  /// treated as the previous time).
  Signals SignalsAt(std::int64_t nowMs);

  /// Pins input `channel` (1..12) to `level`, or releases it with nullopt. Out of range: ignored.
  void SetFixed(int channel, std::optional<int> level);

  /// Below anything a meter shows, even with the fader at +10 dB.
  static constexpr int kNoiseFloor = -12;

private:
  struct Talker {
    int channel;
    CSimRandom rng;
    bool speaking;
    std::int64_t phaseEnd;
    int loudness;  ///< level of this burst before syllable dips
  };

  void Advance(Talker& t, std::int64_t nowMs);

  std::uint32_t m_seed;
  std::vector<Talker> m_talkers;
  std::array<std::optional<int>, kWireInputs> m_fixed{};
  std::optional<std::int64_t> m_start;
  std::int64_t m_last = 0;
};

}  // namespace orvx
