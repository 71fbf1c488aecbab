#pragma once
/// A repeating timer that shares the thread's wake-ups. When the thread is awake anyway (it just
/// took the processor's reports) and at least half an interval has passed since the last tick,
/// the tick runs now; sooner than that, the next tick is put off so that the following wake-up
/// carries it. Either way the timer then allows one and a half intervals, so while reports come at
/// about the timer's rate the thread wakes once for both instead of twice. Without such wake-ups
/// it ticks every interval, as a plain timer does. Ticks are never closer than half an interval,
/// nor further apart than two.
///
/// Usage (the supervision tick):
///   CWakeSharingTimer tick(50, [&] { session.Tick(); });
///   tick.Start();
///   ... after the reports were taken: tick.ThreadAwake();

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

#include "core/Clock.h"

namespace orvx {

class CWakeSharingTimer : public QObject {
  Q_OBJECT
public:
  /// Time comes from `clock` (the monotonic clock by default; tests pass a fake one).
  CWakeSharingTimer(int intervalMs, std::function<void()> onTick, QObject* parent = nullptr,
                    const IClock* clock = nullptr);

  void Start();
  void Stop();
  bool IsActive() const { return m_timer.isActive(); }
  int IntervalMs() const { return m_intervalMs; }
  /// Delay the timer was last set to, in ms (for tests; -1 while stopped).
  int ScheduledDelayMs() const { return m_timer.isActive() ? m_timer.interval() : -1; }

  /// The thread is awake anyway: a tick that is half an interval or more away from the last one
  /// runs now, an earlier one waits for the next wake-up. Returns true when it ran.
  bool ThreadAwake();
  /// The timer's own tick (its timeout calls this; tests too).
  void Tick();

private:
  void Run(int nextInMs);

  int m_intervalMs;
  std::function<void()> m_onTick;
  const IClock& m_clock;
  QTimer m_timer;
  std::int64_t m_lastTick = 0;
};

}  // namespace orvx
