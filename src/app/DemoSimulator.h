#pragma once
/// The simulator the demo runs: orvx-sim from the editor's own bin directory on 127.0.0.2.
/// Its log (received frames) goes to the editor's stderr. Stopped when this object ends.

#include <QProcess>

namespace orvx {

class CDemoSimulator {
public:
  CDemoSimulator() = default;
  ~CDemoSimulator() { Stop(); }
  CDemoSimulator(const CDemoSimulator&) = delete;
  CDemoSimulator& operator=(const CDemoSimulator&) = delete;

  /// Starts it and waits (bounded) until it listens. Returns an error text, empty on success.
  QString Start(const QString& binDir, const QString& ip, int port);
  /// Asks it to end, then kills it if it does not within a moment.
  void Stop();
  bool Running() const { return m_process.state() != QProcess::NotRunning; }
  qint64 ProcessId() const { return m_process.processId(); }

private:
  QProcess m_process;
};

}  // namespace orvx
