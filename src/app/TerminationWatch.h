#pragma once
/// SIGINT/SIGTERM end the editor the orderly way (the window's close: "%Q" 00, receive thread
/// stopped, simulator stopped) instead of killing it mid-send.

#include <QObject>
#include <QTimer>
#include <functional>

namespace orvx {

class CTerminationWatch : public QObject {
  Q_OBJECT
public:
  /// Installs the signal handlers; `onSignal` runs on the GUI thread once a signal arrived.
  explicit CTerminationWatch(std::function<void()> onSignal, QObject* parent = nullptr);

private:
  QTimer m_poll;
  std::function<void()> m_onSignal;
  bool m_handled = false;
};

}  // namespace orvx
