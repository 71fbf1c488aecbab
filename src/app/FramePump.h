#pragma once
/// Carries the receive thread's wake-up to the GUI thread: one queued call at a time runs the
/// session's ProcessPendingFrames there, so the state keeps a single writer.

#include <QObject>
#include <atomic>
#include <functional>

namespace orvx {

class CFramePump : public QObject {
  Q_OBJECT
public:
  explicit CFramePump(QObject* parent = nullptr) : QObject(parent) {}
  /// What runs on the GUI thread (set before the link starts).
  void SetHandler(std::function<void()> handler) { m_handler = std::move(handler); }
  /// Any thread: asks for one run unless one is already queued.
  void Wake();

private:
  void Run();

  std::function<void()> m_handler;
  std::atomic<bool> m_queued{false};
};

}  // namespace orvx
