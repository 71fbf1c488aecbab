#pragma once
/// orvxctl's driver of the editor session: it plays the editor's window for a command-line run —
/// wakes on received frames, ticks the 50 ms supervision timer on the real clock, and waits
/// (bounded) for the handshake, for a report or for the close to finish.

#include "CtlOptions.h"
#include "session/EditorSession.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace orvx {

/// "connecting to 127.0.0.9:39030 ... attempt 2 of 3": one line per "%Z" of a connection attempt.
std::string ConnectAttemptText(const CtlOptions& o, int attempt);
/// Under "port in use": what solves it (an address of its own for this run).
std::string PortInUseHint(const CtlOptions& o);

class CCtlClient final : private ISessionObserver {
public:
  explicit CCtlClient(const CtlOptions& options);
  /// Told each time a connection attempt sends its query (orvxctl prints it on stderr).
  void SetAttemptReport(std::function<void(const std::string&)> report) { m_attempts = std::move(report); }
  ~CCtlClient() override;

  /// CONNECT and wait until online. Returns an exit code (kExitOk when online); `error` gets the
  /// operator's message ("CANNOT CONNECT.", "Please update your device.", ...).
  int Connect(std::string& error);
  /// Runs the session for `ms` of real time, or until `until` holds (checked after each pass);
  /// `afterTick` runs after each tick of the supervision timer (which is what sends "%Z").
  bool Pump(int ms, const std::function<bool()>& until = {}, const std::function<void()>& afterTick = {});
  /// Asks the processor for its full state again and waits for it (bounded). True when it came;
  /// with `withNames`, only once the names report that follows it came too.
  bool Refresh(int ms, bool withNames = false);
  /// Program end: "%Q" 00, then the receive thread stops (bounded wait).
  void Close();

  CEditorSession& Session() { return m_session; }
  CDeviceState& State() { return m_session.State(); }

private:
  void OnChanged(const ChangeNotice& notice) override;
  void OnMessage(const Caption& text, const Caption& title, const std::string& detail) override;
  void Wake();

  const CtlOptions m_options;
  SteadyClock m_clock;
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_woken = false;
  CEditorSession m_session;
  const Caption* m_message = nullptr;
  std::string m_messageDetail;  ///< why, for a socket failure
  int m_fullReports = 0;
  int m_namesAfter = 0;  ///< the count of full reports when the latest names report came
  bool m_closed = false;
  std::function<void(const std::string&)> m_attempts;
};

}  // namespace orvx
