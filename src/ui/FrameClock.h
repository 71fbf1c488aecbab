#pragma once
/// One steady frame timer (~30 Hz) for every meter of the program, instead of a timer per
/// meter. Widgets subscribe while they are visible; the timer runs only while someone is
/// subscribed and the clock is enabled, so an idle or offline editor wakes up for nothing.
/// Each frame hands the subscribers the real time elapsed since the previous one (monotonic),
/// so peak fall-off follows time even when frames come late.
///
/// Usage (a meter):
///   showEvent: m_clock->Subscribe(this, [this](int ms) { AdvanceFrame(ms); });
///   hideEvent: m_clock->Unsubscribe(this);
/// The main window calls `CFrameClock::Shared().SetEnabled(false)` while offline.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

namespace orvx {

class CFrameClock : public QObject {
  Q_OBJECT
public:
  static constexpr int kIntervalMs = 33;

  explicit CFrameClock(QObject* parent = nullptr);

  /// The program's clock (owned by the application object, made on first use).
  static CFrameClock& Shared();

  /// `subscriber` gets `onFrame(elapsedMs)` on every frame until it unsubscribes or is
  /// destroyed. Subscribing again replaces the callback.
  void Subscribe(QObject* subscriber, std::function<void(int)> onFrame);
  void Unsubscribe(QObject* subscriber);
  bool IsSubscribed(const QObject* subscriber) const;
  int SubscriberCount() const { return static_cast<int>(m_subscribers.size()); }

  /// A disabled clock keeps its subscribers but its timer stays stopped.
  void SetEnabled(bool enabled);
  bool IsEnabled() const { return m_enabled; }
  /// True while the timer is active (enabled and at least one subscriber).
  bool IsRunning() const { return m_timer.isActive(); }

  /// Delivers one frame of `elapsedMs` to every subscriber. The timer calls this; tests too.
  void Tick(int elapsedMs);
  /// Frames delivered so far (for tests and measurement).
  std::uint64_t Ticks() const { return m_ticks; }

private:
  struct Subscriber {
    QObject* object;
    std::function<void(int)> onFrame;
    QMetaObject::Connection destroyed;
  };
  void UpdateTimer();
  void OnTimeout();

  QTimer m_timer;
  QElapsedTimer m_sinceLastFrame;
  std::vector<Subscriber> m_subscribers;
  bool m_enabled = true;
  std::uint64_t m_ticks = 0;
};

}  // namespace orvx
