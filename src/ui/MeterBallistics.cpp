#include "ui/MeterBallistics.h"

#include <algorithm>

namespace orvx {

void MeterBallistics::SetLevel(double level) {
  m_level = level;
  if (level >= m_peak) {
    m_peak = level;
    m_heldMs = 0;
  }
}

bool MeterBallistics::Advance(int elapsedMs) {
  if (elapsedMs <= 0 || m_peak <= m_level) {
    return false;
  }
  const int holdLeft = std::max(0, m_holdMs - m_heldMs);
  m_heldMs += elapsedMs;
  const int fallingMs = elapsedMs - holdLeft;
  if (fallingMs <= 0) {
    return false;
  }
  m_peak = std::max(m_level, m_peak - m_fallPerSecond * fallingMs / 1000.0);
  return true;
}

void MeterBallistics::Reset(double level) {
  m_level = level;
  m_peak = level;
  m_heldMs = 0;
}

}  // namespace orvx
