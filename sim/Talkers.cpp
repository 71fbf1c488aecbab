#include "Talkers.h"

#include <algorithm>

namespace orvx {
namespace {

constexpr int kSyllableMs = 140;

}  // namespace

CTalkers::CTalkers(std::uint32_t seed, const std::vector<int>& channels) : m_seed(seed) {
  for (int ch : channels) {
    if (ch < 1 || ch > kWireInputs) continue;
    m_talkers.push_back({ch, CSimRandom(seed * 7919u + static_cast<std::uint32_t>(ch)), false, 0, 0});
  }
}

void CTalkers::Advance(Talker& t, std::int64_t nowMs) {
  // Bounded: every phase lasts at least 800 ms, and a long gap is skipped in one step.
  if (nowMs - t.phaseEnd > 600'000) t.phaseEnd = nowMs;
  while (t.phaseEnd <= nowMs) {
    t.speaking = !t.speaking;
    t.phaseEnd += t.speaking ? t.rng.Between(1500, 6000) : t.rng.Between(800, 7000);
    t.loudness = t.rng.Between(46, 58);
  }
}

CTalkers::Signals CTalkers::SignalsAt(std::int64_t nowMs) {
  if (!m_start) {
    m_start = nowMs;
    m_last = nowMs;
    for (std::size_t i = 0; i < m_talkers.size(); ++i)  // staggered first bursts
      m_talkers[i].phaseEnd = nowMs + 300 + 900 * static_cast<std::int64_t>(i);
  }
  nowMs = std::max(nowMs, m_last);
  m_last = nowMs;

  Signals s{};
  const std::int64_t slot = (nowMs - *m_start) / kSyllableMs;
  for (int ch = 1; ch <= kWireInputs; ++ch) s[ch - 1] = kNoiseFloor + static_cast<int>(MixHash(m_seed, ch, slot) % 4);
  for (Talker& t : m_talkers) {
    Advance(t, nowMs);
    if (t.speaking) s[t.channel - 1] = t.loudness - static_cast<int>(MixHash(m_seed + 1, t.channel, slot) % 10);
  }
  for (int ch = 1; ch <= kWireInputs; ++ch)
    if (m_fixed[ch - 1]) s[ch - 1] = *m_fixed[ch - 1];
  return s;
}

void CTalkers::SetFixed(int channel, std::optional<int> level) {
  if (channel < 1 || channel > kWireInputs) return;
  m_fixed[channel - 1] = level ? std::optional<int>(std::clamp(*level, 0, 255)) : std::nullopt;
}

}  // namespace orvx
