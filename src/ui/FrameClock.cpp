#include "ui/FrameClock.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

namespace orvx {

CFrameClock::CFrameClock(QObject* parent, const IClock* clock) : QObject(parent), m_clock(ClockOrSteady(clock)) {
  m_timer.setSingleShot(true);
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

CFrameClock::Subscriber* CFrameClock::Find(const QObject* subscriber) {
  auto found = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                            [&](const Subscriber& s) { return s.object == subscriber; });
  return found == m_subscribers.end() ? nullptr : &*found;
}

void CFrameClock::Subscribe(QObject* subscriber, std::function<bool(int)> onFrame) {
  if (subscriber == nullptr) {
    return;
  }
  if (Subscriber* s = Find(subscriber)) {
    s->onFrame = std::move(onFrame);
    return;
  }
  const auto destroyed =
      connect(subscriber, &QObject::destroyed, this, [this, subscriber] { Unsubscribe(subscriber); });
  m_subscribers.push_back({subscriber, std::move(onFrame), destroyed, false});
}

void CFrameClock::Unsubscribe(QObject* subscriber) {
  auto found = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                            [&](const Subscriber& s) { return s.object == subscriber; });
  if (found == m_subscribers.end()) {
    return;
  }
  disconnect(found->destroyed);
  m_subscribers.erase(found);
  // The last one that moved has gone: nothing is left to tick for.
  if (std::none_of(m_subscribers.begin(), m_subscribers.end(), [](const Subscriber& s) { return s.awake; })) {
    m_timer.stop();
    m_dueAt.reset();
  }
}

bool CFrameClock::IsSubscribed(const QObject* subscriber) const {
  return std::any_of(m_subscribers.begin(), m_subscribers.end(),
                     [&](const Subscriber& s) { return s.object == subscriber; });
}

void CFrameClock::RequestFrame(QObject* subscriber) {
  Subscriber* s = Find(subscriber);
  if (s == nullptr) {
    return;
  }
  s->awake = true;
  m_schedule.ValuesArrived(m_clock.NowMs());
  Schedule();
}

void CFrameClock::WindowAwake() {
  if (m_schedule.OfferFrame(m_clock.NowMs())) {
    Schedule();
  }
}

void CFrameClock::Schedule() {
  const std::optional<std::int64_t> due = m_schedule.NextFrameAt();
  if (!due) {
    m_timer.stop();
    m_dueAt.reset();
    return;
  }
  if (m_timer.isActive() && m_dueAt == due) {
    return;  // already set for that moment (several meters asking in one report)
  }
  m_dueAt = due;
  m_timer.start(static_cast<int>(std::max<std::int64_t>(0, *due - m_clock.NowMs())));
}

void CFrameClock::OnTimeout() {
  m_dueAt.reset();
  Tick(m_schedule.ElapsedAt(m_clock.NowMs()));
}

void CFrameClock::Tick(int elapsedMs) {
  ++m_ticks;
  // A subscriber may come or go while frames are handed out (a repaint can hide a widget).
  std::vector<QObject*> due;
  for (const Subscriber& s : m_subscribers) {
    if (s.awake) due.push_back(s.object);
  }
  bool moving = false;
  for (QObject* object : due) {
    Subscriber* s = Find(object);
    if (s == nullptr) continue;
    const std::function<bool(int)> onFrame = s->onFrame;
    const bool stillMoving = onFrame(elapsedMs);
    if ((s = Find(object)) != nullptr) s->awake = stillMoving;
    moving = moving || stillMoving;
  }
  m_schedule.FrameDone(m_clock.NowMs(), moving);
  Schedule();
}

}  // namespace orvx
