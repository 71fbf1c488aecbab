#pragma once
/// SIGINT/SIGTERM end the editor the orderly way (the window's close: "%Q" 00, receive thread
/// stopped, simulator stopped) instead of killing it mid-send. The handler only writes a byte to
/// a pipe the GUI thread watches, so nothing polls while no signal comes.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace orvx {

class CTerminationWatch : public QObject {
  Q_OBJECT
public:
  /// Installs the signal handlers; `onSignal` runs on the GUI thread once a signal arrived.
  explicit CTerminationWatch(std::function<void()> onSignal, QObject* parent = nullptr);
  /// Puts the default handlers back and closes the pipe.
  ~CTerminationWatch() override;

private:
  void OnReadable();

  std::function<void()> m_onSignal;
  std::unique_ptr<QSocketNotifier> m_notifier;
  bool m_handled = false;
};

}  // namespace orvx
