#include "AutoMixer.h"

#include <algorithm>
#include <vector>

namespace orvx {

bool CAutoMixer::AboveThreshold(int signal, int threshold) {
  // signal dB = signal - 60, threshold dB = threshold - 80
  return signal - 60 > threshold - 80;
}

GateState CAutoMixer::Step(std::int64_t nowMs, const Signals& signals, const CDeviceState& s) {
  GateState g;
  const bool manual = s.automix[kAutoMan] != 0;
  const int maxOpen = std::clamp(s.automix[kMaxOpen], 1, kAutomixInputs);
  const std::int64_t holdMs = 50LL * std::clamp(s.automix[kHoldTime], 1, 100);

  std::vector<int> wanting;
  for (int k = 0; k < kAutomixInputs; ++k) {
    const InputChannel& c = s.in[k];
    const bool above = c.mute == 0 && AboveThreshold(signals[k], c.threshold);
    if (above) {
      m_lastAbove[k] = nowMs;
      m_everAbove[k] = true;
    }
    const bool holding = m_open[k] && c.mute == 0 && m_everAbove[k] && nowMs - m_lastAbove[k] < holdMs;
    if (manual ? c.mute == 0 : (above || holding)) wanting.push_back(k);
  }

  if (!manual) {
    std::stable_sort(wanting.begin(), wanting.end(), [&](int a, int b) {
      if (s.in[a].priority != s.in[b].priority) return s.in[a].priority > s.in[b].priority;
      if (m_open[a] != m_open[b]) return m_open[a];
      return signals[a] > signals[b];
    });
    if (static_cast<int>(wanting.size()) > maxOpen) wanting.resize(static_cast<std::size_t>(maxOpen));
  }

  std::array<bool, kAutomixInputs> open{};
  for (int k : wanting) open[k] = true;
  // The most recently active open channel is the one LAST HOLD keeps when all gates close.
  std::int64_t latest = -1;
  for (int k : wanting) {
    if (m_lastAbove[k] > latest || (m_lastAbove[k] == latest && !m_open[k])) {
      latest = m_lastAbove[k];
      m_lastChannel = k + 1;
    }
  }
  m_open = open;

  for (int k = 0; k < kAutomixInputs; ++k) g.openMask |= static_cast<std::uint8_t>(open[k] << k);
  const bool lastHold = s.automix[kLastHold] == 1;
  if (!manual && g.openMask == 0 && lastHold && m_lastChannel > 0 && s.in[m_lastChannel - 1].mute == 0)
    g.lastHeld = static_cast<std::uint8_t>(m_lastChannel);
  return g;
}

}  // namespace orvx
