#pragma once
/// Decides when the editor talks to the processor: CONNECT and its retries, the handshake, the
/// give-up, silence while online, DISCONNECT and close. Runs on the owner thread, driven by the
/// 50 ms timer, on an injected monotonic clock.
///
/// The two 500 ms waits of a connection attempt (old receive thread ending, new one setting up
/// its socket) are timed phases advanced by the timer, so the caller never blocks.

#include <cstdint>

#include "core/Clock.h"
#include "core/DeviceState.h"
#include "link/ReportEffects.h"
#include "link/SupervisorHost.h"

namespace orvx {

class CConnectionSupervisor {
public:
  static constexpr int kSupervisionTimer = 1;  ///< 50 ms
  static constexpr int kCloseTimer = 2;        ///< 100 ms, from close until the receive thread ended
  static constexpr int kTickMs = 50;
  static constexpr int kCloseTickMs = 100;
  /// Each wait of a connection attempt.
  static constexpr std::int64_t kSettleMs = 500;
  /// "%Z" again after more than this many whole seconds without an answer.
  static constexpr std::int64_t kRetryAfterSeconds = 4;
  /// "%Z" frames in one attempt before "CANNOT CONNECT.".
  static constexpr int kAttempts = 3;
  /// "OFFLINE" after more than this many whole seconds without "Z", "Y" or "Q".
  static constexpr std::int64_t kSilenceSeconds = 9;

  /// Where a connection attempt is before its first "%Z" went out.
  enum class Phase {
    Idle,          ///< no attempt being set up
    StoppingOld,   ///< waiting for the previous receive thread to end (at least kSettleMs)
    StartingLink,  ///< waiting for the new receive thread's socket
  };

  CConnectionSupervisor(CDeviceState& state, const IClock& clock, ISupervisorHost& host)
      : m_state(state), m_clock(clock), m_host(host) {}

  /// The CONNECT / DISCONNECT button.
  void OnConnect();
  /// The OFFLINE button: the mixer pages without any link activity.
  void OnOffline();
  /// A tick of timer 1 (supervision) or timer 2 (close).
  void OnLinkTimer(int timer);
  /// The main window's close request.
  void OnMainClose();
  /// A device search needs the port: the link lets go of it. Online, this is a DISCONNECT ("%Q"
  /// 00 first); a connection attempt is abandoned; a receive thread still running is stopped.
  void OnSearch();
  /// A firmware update begins: an attempt being set up or waiting for its answer is abandoned (it
  /// would take the port again). The update stops the link itself, in its own order.
  void OnUpdateStarted();
  /// The update has told the processor to stop and takes the link: it counts as closed (CONNECT,
  /// lamp off, "OFFLINE", meters at rest).
  void OnUpdateTookLink();
  /// Continues the handshake after DispatchFrame decoded a report.
  void OnReport(const ReportEffects& effects);

  Phase CurrentPhase() const { return m_phase; }
  bool Closing() const { return m_closing; }

private:
  void Disconnect();
  /// The link counts as closed: button, lamp, status text, meters.
  void MarkClosed();
  /// No attempt runs any more; true when one did (its button is then released by the caller).
  bool AbandonAttempt();
  void BeginAttempt();
  void AdvancePhase(std::int64_t now);
  void CheckRetry(std::int64_t now);
  void CheckSilence(std::int64_t now);

  CDeviceState& m_state;
  const IClock& m_clock;
  ISupervisorHost& m_host;
  Phase m_phase = Phase::Idle;
  std::int64_t m_phaseStart = 0;
  bool m_closing = false;
  /// The first "Q" report of the run writes "ONLINE"; later ones never do.
  bool m_meterStatusShown = false;
};

/// Whole seconds from `then` to `now` (both monotonic milliseconds).
constexpr std::int64_t ElapsedSeconds(std::int64_t then, std::int64_t now) { return (now - then) / 1000; }

}  // namespace orvx
