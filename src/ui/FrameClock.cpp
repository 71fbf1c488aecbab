#include "ui/FrameClock.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <limits>

namespace orvx {

CFrameClock::CFrameClock(QObject* parent) : QObject(parent) {
  m_timer.setInterval(kIntervalMs);
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, &CFrameClock::OnTimeout);
}

CFrameClock& CFrameClock::Shared() {
  // Owned by the application object, so it goes (with its timer) before the application does.
  static QPointer<CFrameClock> shared;
  if (shared.isNull()) {
    shared = new CFrameClock(QCoreApplication::instance());
  }
  return *shared;
}

void CFrameClock::Subscribe(QObject* subscriber, std::function<void(int)> onFrame) {
  if (subscriber == nullptr) {
    return;
  }
  auto found = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                            [&](const Subscriber& s) { return s.object == subscriber; });
  if (found != m_subscribers.end()) {
    found->onFrame = std::move(onFrame);
    return;
  }
  const auto destroyed =
      connect(subscriber, &QObject::destroyed, this, [this, subscriber] { Unsubscribe(subscriber); });
  m_subscribers.push_back({subscriber, std::move(onFrame), destroyed});
  UpdateTimer();
}

void CFrameClock::Unsubscribe(QObject* subscriber) {
  auto found = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                            [&](const Subscriber& s) { return s.object == subscriber; });
  if (found == m_subscribers.end()) {
    return;
  }
  disconnect(found->destroyed);
  m_subscribers.erase(found);
  UpdateTimer();
}

bool CFrameClock::IsSubscribed(const QObject* subscriber) const {
  return std::any_of(m_subscribers.begin(), m_subscribers.end(),
                     [&](const Subscriber& s) { return s.object == subscriber; });
}

void CFrameClock::SetEnabled(bool enabled) {
  m_enabled = enabled;
  UpdateTimer();
}

void CFrameClock::UpdateTimer() {
  const bool run = m_enabled && !m_subscribers.empty();
  if (run && !m_timer.isActive()) {
    m_sinceLastFrame.start();
    m_timer.start();
  } else if (!run && m_timer.isActive()) {
    m_timer.stop();
  }
}

void CFrameClock::OnTimeout() {
  const qint64 elapsed = m_sinceLastFrame.restart();
  Tick(static_cast<int>(std::min<qint64>(elapsed, std::numeric_limits<int>::max())));
}

void CFrameClock::Tick(int elapsedMs) {
  ++m_ticks;
  // A subscriber may come or go while frames are handed out (a repaint can hide a widget).
  const std::vector<Subscriber> subscribers = m_subscribers;
  for (const Subscriber& s : subscribers) {
    if (IsSubscribed(s.object)) {
      s.onFrame(elapsedMs);
    }
  }
}

}  // namespace orvx
