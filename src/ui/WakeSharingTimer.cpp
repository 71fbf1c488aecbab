#include "ui/WakeSharingTimer.h"

namespace orvx {

CWakeSharingTimer::CWakeSharingTimer(int intervalMs, std::function<void()> onTick, QObject* parent, const IClock* clock)
    : QObject(parent), m_intervalMs(intervalMs), m_onTick(std::move(onTick)), m_clock(ClockOrSteady(clock)) {
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, &CWakeSharingTimer::Tick);
}

void CWakeSharingTimer::Start() {
  m_lastTick = m_clock.NowMs();
  m_timer.start(m_intervalMs);
}

void CWakeSharingTimer::Stop() { m_timer.stop(); }

bool CWakeSharingTimer::ThreadAwake() {
  if (!m_timer.isActive()) {
    return false;
  }
  const int grace = m_intervalMs + m_intervalMs / 2;
  if (m_clock.NowMs() - m_lastTick < m_intervalMs / 2) {
    m_timer.start(grace);  // the tick moves onto the wake-ups' beat
    return false;
  }
  Run(grace);
  return true;
}

void CWakeSharingTimer::Tick() { Run(m_intervalMs); }

void CWakeSharingTimer::Run(int nextInMs) {
  m_lastTick = m_clock.NowMs();
  m_timer.start(nextInMs);
  // Last: the tick may stop the timer (the window closing).
  if (m_onTick) {
    m_onTick();
  }
}

}  // namespace orvx
