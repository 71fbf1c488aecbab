#pragma once
/// The simulator's one source of chance: seeded, so a run repeats exactly under the same `--seed`.
/// Uses only the raw mt19937 sequence (standard-defined) rather than library distributions.

#include <cstdint>
#include <random>

namespace orvx {

class CSimRandom {
public:
  explicit CSimRandom(std::uint32_t seed) : m_engine(seed) {}

  /// True with probability p (p <= 0: never, p >= 1: always).
  bool Chance(double p) {
    if (p <= 0.0) return false;
    return static_cast<double>(m_engine()) < p * 4294967296.0;
  }
  /// An integer in lo..hi inclusive.
  int Between(int lo, int hi) {
    return hi <= lo ? lo : lo + static_cast<int>(m_engine() % static_cast<std::uint32_t>(hi - lo + 1));
  }

private:
  std::mt19937 m_engine;
};

/// A stateless hash of a few numbers (splitmix64), for values that must not depend on call timing.
inline std::uint64_t MixHash(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0) {
  std::uint64_t z = a * 0x9E3779B97F4A7C15ULL + b * 0xBF58476D1CE4E5B9ULL + c * 0x94D049BB133111EBULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace orvx
