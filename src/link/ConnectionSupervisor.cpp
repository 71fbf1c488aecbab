#include "link/ConnectionSupervisor.h"

namespace orvx {

void CConnectionSupervisor::OnConnect() {
  if (m_closing) return;
  if (m_state.link.online) {
    Disconnect();
    return;
  }
  // Set at the press, not after the waits: a second press during them does nothing.
  if (m_state.link.connecting) return;
  BeginAttempt();
}

void CConnectionSupervisor::Disconnect() {
  m_host.SendQ(false);
  m_host.StopReceiving();
  MarkClosed();
}

void CConnectionSupervisor::MarkClosed() {
  m_state.link.online = false;
  m_host.SetConnectButton(captions::kConnect, false);
  m_host.SetLamp(false);
  m_host.SetStatusText(captions::kOffline);
  m_host.RestMeters();
}

bool CConnectionSupervisor::AbandonAttempt() {
  const bool attempting = m_state.link.connecting || m_phase != Phase::Idle;
  m_phase = Phase::Idle;
  m_state.link.connecting = false;
  return attempting;
}

void CConnectionSupervisor::BeginAttempt() {
  m_state.link.connecting = true;
  m_state.link.retryCount = 0;
  m_host.StopDeviceSearch();
  // A running receive thread consumes the stop signal and ends; with none running the link
  // clears any stale signal when it starts.
  if (m_host.IsReceiving()) m_host.StopReceiving();
  m_phase = Phase::StoppingOld;
  m_phaseStart = m_clock.NowMs();
}

void CConnectionSupervisor::OnSearch() {
  if (m_closing) return;
  if (m_state.link.online) {
    Disconnect();
    return;
  }
  const bool attempting = AbandonAttempt();
  if (m_host.IsReceiving()) m_host.StopReceiving();
  if (attempting) m_host.SetConnectButton(captions::kConnect, false);
}

void CConnectionSupervisor::OnUpdateStarted() {
  if (!m_closing && AbandonAttempt()) m_host.SetConnectButton(captions::kConnect, false);
}

void CConnectionSupervisor::OnUpdateTookLink() {
  if (!m_closing) MarkClosed();
}

void CConnectionSupervisor::OnOffline() { m_host.ShowPageView(false); }

void CConnectionSupervisor::OnLinkTimer(int timer) {
  if (timer == kCloseTimer) {
    if (m_closing && !m_host.IsReceiving()) m_host.CloseWindow();
    return;
  }
  if (timer != kSupervisionTimer) return;
  const std::int64_t now = m_clock.NowMs();
  AdvancePhase(now);
  CheckRetry(now);
  CheckSilence(now);
}

void CConnectionSupervisor::AdvancePhase(std::int64_t now) {
  if (m_phase == Phase::Idle || now - m_phaseStart < kSettleMs) return;
  if (m_phase == Phase::StoppingOld) {
    // The old link ends after the frames queued before its stop (a long plan, then its "%Q" 00):
    // the new one starts only then, never beside it on the same port.
    if (m_host.IsReceiving()) return;
    // A socket that cannot be opened is reported by the link itself; the attempt carries on
    // with sends that go nowhere and ends with "CANNOT CONNECT.".
    m_host.StartReceiving();
    m_phase = Phase::StartingLink;
    m_phaseStart = now;
    return;
  }
  m_phase = Phase::Idle;
  m_state.link.connecting = true;
  m_state.link.retryCount = 0;
  m_host.SendQ(false);
  m_host.SendZ();
  m_state.link.connectTime = now;
  m_host.ShowPageView(true);
}

void CConnectionSupervisor::CheckRetry(std::int64_t now) {
  if (!m_state.link.connecting || m_phase != Phase::Idle) return;
  if (ElapsedSeconds(m_state.link.connectTime, now) <= kRetryAfterSeconds) return;
  m_state.link.connectTime = now;
  ++m_state.link.retryCount;
  if (m_state.link.retryCount < kAttempts) {
    m_host.SendZ();
    return;
  }
  m_state.link.connecting = false;
  m_host.StopReceiving();
  m_host.SetConnectButton(captions::kConnect, false);
  m_host.ShowMessage(captions::kCannotConnect);
}

void CConnectionSupervisor::CheckSilence(std::int64_t now) {
  if (!m_state.link.online) return;
  if (ElapsedSeconds(m_state.link.lastReceiveTime, now) <= kSilenceSeconds) return;
  // The link stays online and commands are still sent; only the lamp and the text say it.
  m_state.link.lastReceiveTime = now;
  m_host.SetLamp(false);
  m_host.SetStatusText(captions::kOffline);
  m_host.RestMeters();
}

void CConnectionSupervisor::OnMainClose() {
  if (m_closing) return;
  m_closing = true;
  // An attempt still being set up must not start a receive thread after this.
  m_phase = Phase::Idle;
  m_state.link.connecting = false;
  m_host.SendQ(false);
  m_host.StopReceiving();
  m_state.link.online = false;
  m_host.StartCloseTimer();
}

void CConnectionSupervisor::OnReport(const ReportEffects& effects) {
  if (m_closing) return;
  switch (effects.kind) {
    case ReportKind::Z:
      if (effects.firmwareTooOld) {
        m_host.StopReceiving();
        m_host.ShowMessage(captions::kUpdateDevice);
      }
      break;
    case ReportKind::Y:
      m_host.SetConnectButton(captions::kDisconnect, true);
      m_host.SetLamp(true);
      m_host.SetStatusText(captions::kOnline);
      m_host.RefreshAll();
      m_host.SendQ(true);
      break;
    case ReportKind::Q:
      if (!m_meterStatusShown) {
        m_meterStatusShown = true;
        m_host.SetStatusText(captions::kOnline);
      }
      break;
    default: break;
  }
}

}  // namespace orvx
