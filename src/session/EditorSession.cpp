#include "session/EditorSession.h"

#include "link/FreeTypeGlyphRenderer.h"
#include "link/ReportParser.h"

namespace orvx {
namespace {

std::unique_ptr<IPacer> OwnPacerUnless(IPacer* given) {
  return given ? nullptr : std::make_unique<SleepPacer>();
}

}  // namespace

CEditorSession::CEditorSession(LinkSettings settings, const IClock& clock, std::function<void()> wake,
                               IPacer* pacer, IGlyphRenderer* renderer)
    : m_clock(clock),
      m_wake(std::move(wake)),
      m_ownPacer(OwnPacerUnless(pacer)),
      m_pacer(pacer ? *pacer : *m_ownPacer),
      m_renderer(renderer),
      m_link(std::move(settings)),
      m_sender(m_link, m_pacer),
      m_supervisor(m_state, m_clock, *this) {
  m_state.ResetToDefaults();
}

CEditorSession::~CEditorSession() { m_link.Stop(); }

void CEditorSession::Disconnect() {
  if (m_state.link.online) m_supervisor.OnConnect();
}

bool CEditorSession::StartReceiving() {
  // Frames left from an earlier run belong to a link that no longer exists.
  m_inbox.DrainInto([](ReceivedFrame&) {});
  const bool started = m_link.Start(
      [this](ReceivedFrame frame) {
        m_inbox.Push(std::move(frame));
        if (m_wake) m_wake();
      },
      [this](const std::string&, const std::string&) {
        m_socketFailed.store(true);
        if (m_wake) m_wake();
      });
  m_accepting = started;
  return started;
}

void CEditorSession::StopReceiving() {
  m_accepting = false;
  m_link.SignalStop();
}

std::size_t CEditorSession::ProcessPendingFrames() {
  if (m_socketFailed.exchange(false)) Message(captions::kWinsockError, captions::kWinsockCaption);
  return m_inbox.DrainInto([this](ReceivedFrame& frame) { Dispatch(frame); });
}

void CEditorSession::Dispatch(const ReceivedFrame& frame) {
  if (!m_accepting || frame.fromIp != m_state.link.deviceIp) {
    ++m_dropped;
    return;
  }
  const ReportEffects effects = DispatchFrame(frame.text, m_state, m_clock.NowMs());
  if (!effects.Recognised()) return;
  m_supervisor.OnReport(effects);
  if (m_observer) m_observer->OnEffects(effects);
  // Meters and gate lamps repaint on the window's own steady timer.
  if (m_listener && (effects.changed & ~(change::kMeters | change::kGates)) != 0) m_listener->OnStateChanged();
}

bool CEditorSession::SendIfOnline(const std::string& frame) {
  if (!m_state.link.online) return false;
  return m_sender.Send(frame, m_state.link.deviceIp);
}

void CEditorSession::SendName(int wireChannel) {
  if (!m_renderer) {
    m_ownRenderer = std::make_unique<CFreeTypeGlyphRenderer>();
    m_renderer = m_ownRenderer.get();
  }
  m_sender.SendV(m_state, m_state.link.deviceIp, wireChannel, *m_renderer);
}

void CEditorSession::Message(const Caption& text, const Caption& title) {
  if (m_observer) m_observer->OnMessage(text, title);
  if (m_listener) m_listener->OnMessage(Text(text, m_state.language), Text(title, m_state.language));
}

void CEditorSession::LinkUiChanged() {
  if (m_observer) m_observer->OnLinkUi();
  if (m_listener) m_listener->OnLinkViewChanged();
}

void CEditorSession::SetConnectButton(const Caption& caption, bool pressed) {
  m_connectCaption = &caption;
  m_connectPressed = pressed;
  LinkUiChanged();
}

void CEditorSession::SetLamp(bool lit) {
  m_lampLit = lit;
  LinkUiChanged();
}

void CEditorSession::SetStatusText(const Caption& text) {
  m_statusText = &text;
  LinkUiChanged();
}

void CEditorSession::RefreshAll() {
  if (m_observer) m_observer->OnRefreshAll();
  if (m_listener) m_listener->OnStateChanged();
}

void CEditorSession::ShowPageView(bool resetScroll) {
  if (m_observer) m_observer->OnShowPageView(resetScroll);
}

void CEditorSession::StartCloseTimer() {
  if (m_observer) m_observer->OnStartCloseTimer();
}

void CEditorSession::CloseWindow() {
  if (m_observer) m_observer->OnCloseWindow();
}

}  // namespace orvx
