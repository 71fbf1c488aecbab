#pragma once
/// One frame timer for every meter of the program, instead of a timer per meter, that runs only
/// while something moves. Widgets subscribe while they are visible and ask for a frame when they
/// get a new value; each frame hands them the real time elapsed (monotonic) and they answer
/// whether they still move (a peak falling). Frames come at most about 30 times a second, follow
/// the reports, and stop when every subscriber rests (see CFrameSchedule): an idle, offline or
/// silent editor is never woken for its meters.
///
/// Usage (a meter):
///   showEvent: m_clock->Subscribe(this, [this](int ms) { return AdvanceFrame(ms); });
///   new value: m_clock->RequestFrame(this);
///   hideEvent: m_clock->Unsubscribe(this);
/// The program calls `WindowAwake()` after it took the reports, so motion rides on their wake-ups.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/Clock.h"
#include "ui/FrameSchedule.h"

namespace orvx {

class CFrameClock : public QObject {
  Q_OBJECT
public:
  static constexpr int kIntervalMs = CFrameSchedule::kIntervalMs;

  /// Time comes from `clock` (the monotonic clock by default; tests pass a fake one).
  explicit CFrameClock(QObject* parent = nullptr, const IClock* clock = nullptr);

  /// The program's clock (owned by the application object, made on first use).
  static CFrameClock& Shared();

  /// `subscriber` may get `onFrame(elapsedMs)` frames until it unsubscribes or is destroyed;
  /// the callback returns true while the subscriber still moves. Subscribing again replaces it.
  void Subscribe(QObject* subscriber, std::function<bool(int)> onFrame);
  void Unsubscribe(QObject* subscriber);
  bool IsSubscribed(const QObject* subscriber) const;
  int SubscriberCount() const { return static_cast<int>(m_subscribers.size()); }

  /// `subscriber` has something new to show: it gets the next frame, which comes at once or as
  /// soon as the rate allows. Ignored for an object that is not subscribed.
  void RequestFrame(QObject* subscriber);

  /// The window's thread is awake anyway (it just took the reports): a falling peak that would
  /// wake it again for a frame of its own takes the frame now, when the rate allows.
  void WindowAwake();

  /// True while a frame is scheduled (someone waits for one or still moves).
  bool IsRunning() const { return m_timer.isActive(); }
  /// Delay of the scheduled frame as it was set, in ms (for tests; -1 when none).
  int ScheduledDelayMs() const { return m_timer.isActive() ? m_timer.interval() : -1; }

  /// Delivers one frame of `elapsedMs` to every subscriber that waits for one or still moves,
  /// then schedules the next. The timer calls this; tests too.
  void Tick(int elapsedMs);
  /// Frames delivered so far (for tests and measurement).
  std::uint64_t Ticks() const { return m_ticks; }

private:
  struct Subscriber {
    QObject* object;
    std::function<bool(int)> onFrame;
    QMetaObject::Connection destroyed;
    bool awake;  ///< waits for a frame or still moves
  };
  Subscriber* Find(const QObject* subscriber);
  void Schedule();
  void OnTimeout();

  const IClock& m_clock;
  QTimer m_timer;
  CFrameSchedule m_schedule;
  std::optional<std::int64_t> m_dueAt;
  std::vector<Subscriber> m_subscribers;
  std::uint64_t m_ticks = 0;
};

}  // namespace orvx
