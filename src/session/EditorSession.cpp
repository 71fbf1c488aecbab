#include "session/EditorSession.h"

#include "device/UpdatePortRelease.h"
#include "link/FreeTypeGlyphRenderer.h"
#include "link/ReportParser.h"
#include "session/ReceivedValues.h"

namespace orvx {
namespace {

std::unique_ptr<IPacer> OwnPacerUnless(IPacer* given) { return given ? nullptr : std::make_unique<SleepPacer>(); }

}  // namespace

CEditorSession::CEditorSession(LinkSettings settings, const IClock& clock, std::function<void()> wake, IPacer* pacer,
                               IGlyphRenderer* renderer)
    : m_clock(clock),
      m_wake(std::move(wake)),
      m_ownPacer(OwnPacerUnless(pacer)),
      m_pacer(pacer ? *pacer : *m_ownPacer),
      m_renderer(renderer),
      m_link(std::move(settings)),
      m_queue(m_link, m_pacer, m_clock),
      m_changes(m_state, m_queue, [this]() -> IGlyphRenderer& { return Renderer(); }),
      m_supervisor(m_state, m_clock, *this) {
  m_state.ResetToDefaults();
  m_changes.SetNotify([this](std::uint32_t bits) {
    // Only the operator's changes are written to the kept file: reports carry none of its values
    // (a full reload only fixes the EQ flag and the filter kinds by rule), a refresh changes none.
    if ((bits & CKeptValues::ChangeBits()) != 0) KeptValueChanged();
    Notify(ChangeNotice{bits, 0, nullptr});
  });
  m_queue.Start();
}

CEditorSession::~CEditorSession() {
  SaveKeptValues();
  m_search.reset();
  m_queue.Stop();
  m_link.Stop();
}

void CEditorSession::SetSearchSubnets(std::unique_ptr<ISubnetProvider> subnets, SearchSettings settings) {
  m_search.reset();
  m_subnets = std::move(subnets);
  if (m_subnets) m_search = std::make_unique<CDeviceSearch>(*m_subnets, m_pacer, std::move(settings));
}

void CEditorSession::Connect() {
  m_supervisor.OnConnect();
  SupervisionNeeded();
}

bool CEditorSession::SupervisionIdle() const {
  return !m_state.link.online && !m_state.link.connecting &&
         m_supervisor.CurrentPhase() == CConnectionSupervisor::Phase::Idle &&
         m_searchPhase != SearchPhase::FreeingPort && !KeptValuesToWrite();
}

void CEditorSession::SupervisionNeeded() {
  if (m_observer) m_observer->OnSupervisionNeeded();
}

void CEditorSession::StartSearch() {
  if (m_supervisor.Closing()) return;
  if (!m_search) {
    m_searchPhase = SearchPhase::Failed;
    m_searchFailure = NoInterfaceReason();
    return;
  }
  m_search->Stop();
  m_supervisor.OnSearch();
  m_searchPhase = SearchPhase::FreeingPort;
  m_searchAsked = m_clock.NowMs();
  AdvanceSearch();
  SupervisionNeeded();
}

void CEditorSession::AdvanceSearch() {
  if (m_searchPhase != SearchPhase::FreeingPort) return;
  if (m_link.IsRunning()) {
    if (m_clock.NowMs() - m_searchAsked < kFreePortLimitMs) return;
    // Our own link still holds the port: it ends behind the frames queued before its stop.
    m_searchPhase = SearchPhase::Failed;
    m_searchFailure = OwnLinkHoldsPortReason(kSearchPort);
    return;
  }
  const SearchStart start = m_search->Start();
  m_searchPhase = start.ok ? SearchPhase::Probing : SearchPhase::Failed;
  m_searchFailure = start.reason;
}

void CEditorSession::StopSearch() {
  if (m_search) m_search->Stop();
  if (m_searchPhase != SearchPhase::Failed) m_searchPhase = SearchPhase::Idle;
}

SearchStatus CEditorSession::Search() const {
  SearchStatus s;
  s.phase = m_searchPhase;
  s.failure = m_searchFailure;
  if (m_search && (m_searchPhase == SearchPhase::Probing || m_searchPhase == SearchPhase::Listening)) {
    s.progress = m_search->Progress();
    s.found = m_search->Results();
    s.facts = m_search->Facts();
    s.answers = m_search->AnswersHeard();
    if (!s.progress.probing) s.phase = SearchPhase::Listening;
  }
  return s;
}

void CEditorSession::ReleasePortForUpdate(UpdateKind kind) {
  m_portReleased.store(false);
  const LinkActivity activity{m_state.link.online, m_search && m_search->HoldsPort(), m_link.IsRunning()};
  // An attempt must not take the port again, nor a search that waits for it.
  m_supervisor.OnUpdateStarted();
  if (m_searchPhase == SearchPhase::FreeingPort) m_searchPhase = SearchPhase::Idle;
  for (const ReleaseStep& step : UpdatePortRelease(kind, activity)) {
    switch (step.action) {
      case ReleaseAction::StopReports: {
        Outgoing o;
        o.datagrams = {Datagram{FrameQ(false), step.pauseAfterMs}};
        o.ip = m_state.link.deviceIp;
        m_queue.Push(std::move(o));
        continue;  // the frame carries its own pause
      }
      case ReleaseAction::MarkDisconnected: m_supervisor.OnUpdateTookLink(); break;
      case ReleaseAction::StopSearch: StopSearch(); break;
      case ReleaseAction::StopReceiving: StopReceiving(); break;
    }
    if (step.pauseAfterMs > 0) m_queue.Post([this, ms = step.pauseAfterMs] { m_pacer.Pause(ms); });
  }
  m_queue.Post([this] { m_portReleased.store(true); });
}

bool CEditorSession::PortReleasedForUpdate() const {
  return m_portReleased.load() && !m_link.IsRunning() && !(m_search && m_search->HoldsPort());
}

void CEditorSession::Disconnect() {
  if (m_state.link.online) m_supervisor.OnConnect();
}

bool CEditorSession::StartReceiving() {
  // A stop still waiting behind queued frames belongs to the old link, never to this one.
  m_queue.WaitIdle(kStopDrainMs);
  ++m_linkGeneration;
  // Frames left from an earlier run belong to a link that no longer exists.
  m_inbox.DrainInto([](ReceivedFrame&) {});
  // Only the connected device's frames enter the bounded inbox: a flood from another host must
  // neither push the device's own frames out nor wake the owner for nothing.
  const bool started = m_link.Start(
      [this, device = m_state.link.deviceIp](ReceivedFrame frame) {
        if (frame.fromIp != device) {
          m_foreignFrames.fetch_add(1, std::memory_order_relaxed);
          return;
        }
        m_inbox.Push(std::move(frame));
        if (m_wake) m_wake();
      },
      [this](const std::string&, const std::string&, const std::string& detail) {
        {
          std::lock_guard lock(m_socketDetailMutex);
          m_socketDetail = detail;
        }
        m_socketFailed.store(true);
        if (m_wake) m_wake();
      });
  m_accepting = started;
  return started;
}

void CEditorSession::StopReceiving() {
  m_accepting = false;
  // The link ends after the frames queued before the stop (the last "%Q" 00) have left.
  const std::uint64_t generation = ++m_linkGeneration;
  m_queue.Post([this, generation] {
    if (m_linkGeneration.load() == generation) m_link.SignalStop();
  });
}

std::size_t CEditorSession::ProcessPendingFrames() {
  if (m_socketFailed.exchange(false)) {
    std::string detail;
    {
      std::lock_guard lock(m_socketDetailMutex);
      detail = m_socketDetail;
    }
    Message(captions::kWinsockError, captions::kWinsockCaption, detail);
  }
  return m_inbox.DrainInto([this](ReceivedFrame& frame) { Dispatch(frame); });
}

void CEditorSession::Dispatch(const ReceivedFrame& frame) {
  if (!m_accepting || frame.fromIp != m_state.link.deviceIp) {
    ++m_dropped;
    return;
  }
  if (TakeForFreshRead(frame)) return;
  const ReportEffects effects = DispatchFrame(frame.text, m_state, m_clock.NowMs());
  if (!effects.Recognised()) return;
  // Meters ("Q") are shown through their own floor and ceiling; every other report writes values
  // the pages show and the next frames carry.
  if (effects.kind != ReportKind::Q) m_clampedValues += static_cast<std::size_t>(ClampToTable(m_state));
  // A full reload replaces the values the history would restore: undoing a step recorded before
  // it would push stale values over what the processor now holds.
  if (effects.Has(change::kFullState)) m_changes.ClearHistory();
  m_supervisor.OnReport(effects);
  Notify(ChangeNotice{effects.changed, effects.activeFlipped, &effects});
}

bool CEditorSession::StartFreshRead() {
  if (!m_state.link.online || m_supervisor.Closing()) return false;
  // Values no report carries keep the editor's own in the copy.
  m_fresh = std::make_unique<CDeviceState>(m_state);
  m_freshPhase = FreshReadPhase::Reading;
  m_freshHasState = false;
  m_freshAttempts = 1;
  m_freshAsked = m_clock.NowMs();
  QueueFrame(FrameZ());
  SupervisionNeeded();
  return true;
}

FreshReadStatus CEditorSession::FreshRead() const {
  return {m_freshPhase, m_freshPhase == FreshReadPhase::Done ? m_fresh.get() : nullptr};
}

void CEditorSession::AdvanceFreshRead() {
  if (m_freshPhase != FreshReadPhase::Reading) return;
  if (!m_state.link.online) {
    m_freshPhase = FreshReadPhase::Failed;
    return;
  }
  if (m_clock.NowMs() - m_freshAsked < kFreshReadRetryMs) return;
  if (m_freshAttempts >= kFreshReadAttempts) {
    m_freshPhase = FreshReadPhase::Failed;
    return;
  }
  // The query or its answer was lost: the whole answer is asked for again.
  ++m_freshAttempts;
  m_freshHasState = false;
  m_freshAsked = m_clock.NowMs();
  QueueFrame(FrameZ());
}

bool CEditorSession::TakeForFreshRead(const ReceivedFrame& frame) {
  if (m_freshPhase != FreshReadPhase::Reading || frame.text.size() < 2) return false;
  const char letter = frame.text[1];
  if (letter != 'Z' && letter != 'Y') return false;
  const ReportEffects effects = DispatchFrame(frame.text, *m_fresh, m_clock.NowMs());
  if (!effects.Recognised()) return true;
  ClampToTable(*m_fresh);
  m_state.link.lastReceiveTime = m_fresh->link.lastReceiveTime;
  if (effects.kind == ReportKind::Z) m_freshHasState = true;
  // The names report follows the full state: the read is whole once both came, in that order.
  if (effects.kind == ReportKind::Y && m_freshHasState) m_freshPhase = FreshReadPhase::Done;
  return true;
}

int CEditorSession::KeepValuesIn(std::string path) {
  m_kept = std::make_unique<CKeptValuesFile>(std::move(path));
  const CKeptValues::Loaded loaded = m_kept->Load(m_state);
  if (loaded.sendInterval) m_queue.SetInterval(*loaded.sendInterval);
  RefreshAll();
  return loaded.applied;
}

std::string CEditorSession::OpenPresets(const std::string& directory) {
  m_presetsError = m_presets.Open(directory);
  return m_presetsError;
}

void CEditorSession::SaveKeptValues() {
  if (m_kept) m_kept->SaveIfChanged(m_state, m_queue.Interval());
}

void CEditorSession::KeptValueChanged() {
  if (!m_kept || m_kept->Changed()) return;
  m_kept->MarkChanged();
  SupervisionNeeded();
}

void CEditorSession::Notify(const ChangeNotice& notice) {
  if (m_observer) m_observer->OnChanged(notice);
}

void CEditorSession::QueueFrame(const std::string& frame) {
  Outgoing o;
  o.datagrams = PlanFrame(frame);
  o.ip = m_state.link.deviceIp;
  m_queue.Push(std::move(o));
}

IGlyphRenderer& CEditorSession::Renderer() {
  if (!m_renderer) {
    m_ownRenderer = std::make_unique<CFreeTypeGlyphRenderer>();
    m_renderer = m_ownRenderer.get();
  }
  return *m_renderer;
}

void CEditorSession::Message(const Caption& text, const Caption& title, const std::string& detail) {
  if (m_observer) m_observer->OnMessage(text, title, detail);
}

void CEditorSession::LinkUiChanged() {
  if (m_observer) m_observer->OnLinkUi();
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

void CEditorSession::RestMeters() {
  const ReportEffects effects = orvx::RestMeters(m_state);
  if (effects.changed != 0) Notify(ChangeNotice{effects.changed, effects.activeFlipped, nullptr});
}

void CEditorSession::RefreshAll() { Notify(ChangeNotice{change::kAll, 0, nullptr}); }

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
