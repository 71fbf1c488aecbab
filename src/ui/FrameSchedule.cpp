#include "ui/FrameSchedule.h"

#include <algorithm>
#include <limits>

namespace orvx {

void CFrameSchedule::ValuesArrived(std::int64_t nowMs) {
  if (!m_arrived) m_arrived = nowMs;
}

bool CFrameSchedule::OfferFrame(std::int64_t nowMs) {
  if (m_arrived || !m_moving || !m_lastFrame || nowMs - *m_lastFrame < kIntervalMs) return false;
  m_arrived = nowMs;
  return true;
}

void CFrameSchedule::FrameDone(std::int64_t nowMs, bool moving) {
  m_lastHadValues = m_arrived.has_value();
  m_arrived.reset();
  m_lastFrame = nowMs;
  m_moving = moving;
}

std::optional<std::int64_t> CFrameSchedule::NextFrameAt() const {
  if (m_arrived) return m_lastFrame ? std::max(*m_arrived, *m_lastFrame + kIntervalMs) : *m_arrived;
  if (m_moving && m_lastFrame) return *m_lastFrame + (m_lastHadValues ? kAwaitReportMs : kIntervalMs);
  return std::nullopt;
}

int CFrameSchedule::ElapsedAt(std::int64_t nowMs) const {
  const std::optional<std::int64_t> since = m_moving ? m_lastFrame : m_arrived;
  if (!since) return 0;
  return static_cast<int>(std::clamp<std::int64_t>(nowMs - *since, 0, std::numeric_limits<int>::max()));
}

}  // namespace orvx
