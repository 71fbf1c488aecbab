#pragma once
/// The editor session: owns the device state, the link, the command sender and the connection
/// supervisor, and moves received frames from the receive thread to the owner thread.
///
/// The receive thread only queues frames and calls `wake`; the owner then calls
/// ProcessPendingFrames, which decodes them into the state. So the state has one writer.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/Captions.h"
#include "core/Clock.h"
#include "core/DeviceState.h"
#include "link/FramePlan.h"
#include "link/Commands.h"
#include "link/ConnectionSupervisor.h"
#include "link/DeviceLink.h"
#include "link/FrameInbox.h"
#include "link/GlyphRenderer.h"
#include "link/Pacer.h"
#include "link/SupervisorHost.h"
#include "link/SendQueue.h"
#include "device/DeviceSearch.h"
#include "dsp/PresetDatabase.h"
#include "session/ChangePath.h"
#include "session/KeptValuesFile.h"
#include "session/SessionObserver.h"
#include "session/ShellSession.h"

namespace orvx {

class CEditorSession final : public IShellSession, private ISupervisorHost {
public:
  /// `wake` is called on the receive thread after a frame was queued (the editor posts a queued
  /// call, a command-line tool signals a condition). `pacer` and `renderer` default to the real
  /// ones (sleeping pauses, FreeType glyphs created on first use). Every frame leaves through the
  /// send queue's own thread, so the caller never sleeps on the wire's pauses.
  CEditorSession(LinkSettings settings, const IClock& clock, std::function<void()> wake, IPacer* pacer = nullptr,
                 IGlyphRenderer* renderer = nullptr);
  ~CEditorSession() override;

  CEditorSession(const CEditorSession&) = delete;
  CEditorSession& operator=(const CEditorSession&) = delete;

  // IShellSession
  CDeviceState& State() override { return m_state; }
  CChangePath& Changes() override { return m_changes; }
  void SetObserver(ISessionObserver* observer) override { m_observer = observer; }
  /// The CONNECT / DISCONNECT button.
  void Connect() override;
  /// Timer 1, every 50 ms.
  void Tick() override {
    m_supervisor.OnLinkTimer(CConnectionSupervisor::kSupervisionTimer);
    AdvanceSearch();
    AdvanceFreshRead();
    SaveKeptValues();
  }
  /// The file of the values only the editor keeps: read now (each value clamped to its range; the
  /// views are told), written again whenever one of them changes. Returns how many were restored.
  int KeepValuesIn(std::string path);
  /// Opens (or creates) the preset library in the data directory; the error text, empty on success.
  std::string OpenPresets(const std::string& directory);
  CPresetDatabase* Presets() override { return m_presets.IsOpen() ? &m_presets : nullptr; }
  std::string PresetsError() const override { return m_presetsError; }
  /// Hands the kept values to their file's writer if any changed since (the tick does this).
  void SaveKeptValues();
  /// Program end: "%Q" 00, then the receive thread is stopped.
  void BeginClose() override { m_supervisor.OnMainClose(); }
  bool CloseFinished() const override { return m_supervisor.Closing() && !m_link.IsRunning(); }
  bool SupervisionIdle() const override;
  bool LampLit() const override { return m_lampLit; }
  bool StatusOnline() const override { return m_statusText == &captions::kOnline; }
  void SetSendInterval(int ms) override {
    m_queue.SetInterval(ms);
    KeptValueChanged();
  }
  int SendInterval() const override { return m_queue.Interval(); }
  void StartSearch() override;
  void StopSearch() override;
  SearchStatus Search() const override;
  IGlyphRenderer& Glyphs() override { return Renderer(); }
  bool StartFreshRead() override;
  FreshReadStatus FreshRead() const override;
  void ReleasePortForUpdate(UpdateKind kind) override;
  bool PortReleasedForUpdate() const override;
  LinkSettings LinkAddress() const override { return m_link.Settings(); }
  /// Where a search looks and which local address its listener binds. Without it a search fails
  /// with the "no interface" reason.
  void SetSearchSubnets(std::unique_ptr<ISubnetProvider> subnets, SearchSettings settings);
  /// How long the link may take to let go of the port before a search gives up.
  static constexpr int kFreePortLimitMs = 2000;

  /// DISCONNECT: only while online (the button itself toggles, see Connect).
  void Disconnect();
  /// The OFFLINE button: the pages without any link activity.
  void Offline() override { m_supervisor.OnOffline(); }
  /// Timer 2, every 100 ms after BeginClose.
  void CloseTick() { m_supervisor.OnLinkTimer(CConnectionSupervisor::kCloseTimer); }

  /// Owner thread: decodes every queued frame from the connected device and lets the supervisor
  /// continue the handshake. Frames from any other address, or queued after the link was told to
  /// stop, are dropped. Returns the number of frames taken from the queue.
  std::size_t ProcessPendingFrames();
  /// Frames dropped because they came from another address (filtered on the receive thread) or
  /// arrived after a stop.
  std::size_t DroppedFrames() const { return m_dropped + m_foreignFrames.load(std::memory_order_relaxed); }
  /// Received values that lay outside their parameter's range and were clamped.
  std::size_t ClampedValues() const { return m_clampedValues; }
  /// Frames lost because the inbox was full.
  std::size_t OverflowedFrames() const { return m_inbox.Dropped(); }

  /// Queues a complete frame whatever the link's state (the handshake's queries):
  /// pages use the change path instead, which sends only while online.
  void QueueFrame(const std::string& frame);
  /// The send queue, for plans with progress and for waiting until everything has left.
  CSendQueue& Queue() { return m_queue; }
  /// The glyph renderer of "%V" frames (FreeType, created on first use).
  IGlyphRenderer& Renderer();
  const CConnectionSupervisor& Supervisor() const { return m_supervisor; }
  /// The link's local port while its receive thread runs (0 otherwise).
  std::uint16_t BoundPort() const { return m_link.BoundPort(); }

  /// The connect button's caption and whether it shows pressed; the status text.
  const Caption& ConnectCaption() const { return *m_connectCaption; }
  bool ConnectPressed() const { return m_connectPressed; }
  const Caption& StatusText() const { return *m_statusText; }

private:
  // ISupervisorHost
  bool StartReceiving() override;
  void StopReceiving() override;
  bool IsReceiving() const override { return m_link.IsRunning(); }
  void StopDeviceSearch() override { StopSearch(); }
  void SendQ(bool start) override { QueueFrame(FrameQ(start)); }
  void SendZ() override { QueueFrame(FrameZ()); }
  void ShowMessage(const Caption& text) override { Message(text, kNoMessageTitle); }
  void SetConnectButton(const Caption& caption, bool pressed) override;
  void SetLamp(bool lit) override;
  void SetStatusText(const Caption& text) override;
  void RestMeters() override;
  void RefreshAll() override;
  void ShowPageView(bool resetScroll) override;
  void StartCloseTimer() override;
  void CloseWindow() override;

  void Message(const Caption& text, const Caption& title, const std::string& detail = {});
  void LinkUiChanged();
  /// A value only the editor keeps changed: the next tick writes it (timer 1 is asked for).
  void KeptValueChanged();
  /// A value only the editor keeps changed and is not on the disk yet (or its write failed).
  bool KeptValuesToWrite() const { return m_kept && !m_kept->Settled(); }
  /// Timer 1 has work again: the observer starts it if it stopped.
  void SupervisionNeeded();
  void Notify(const ChangeNotice& notice);
  void Dispatch(const ReceivedFrame& frame);
  /// Starts a requested search once the link has let go of the port.
  void AdvanceSearch();
  /// A fresh read without its answer asks again, then gives up.
  void AdvanceFreshRead();
  /// A full state or names report while a fresh read waits for it goes into the read's own state.
  bool TakeForFreshRead(const ReceivedFrame& frame);

  CDeviceState m_state;
  const IClock& m_clock;
  std::function<void()> m_wake;
  CFrameInbox m_inbox;
  std::atomic<bool> m_socketFailed{false};  ///< set by the receive thread, reported by the owner
  std::mutex m_socketDetailMutex;           ///< the receive thread writes the detail, the owner reads it
  std::string m_socketDetail;               ///< why the socket failed, shown under the system's text

  std::unique_ptr<IPacer> m_ownPacer;
  IPacer& m_pacer;
  std::unique_ptr<IGlyphRenderer> m_ownRenderer;
  IGlyphRenderer* m_renderer;

  CDeviceLink m_link;  ///< after the inbox: destroyed (and its thread joined) before it
  CSendQueue m_queue;  ///< after the link: its thread ends before the link goes
  CChangePath m_changes;
  CConnectionSupervisor m_supervisor;

  static constexpr int kStopDrainMs = 50;
  std::atomic<std::uint64_t> m_linkGeneration{0};  ///< a queued stop acts only on its own link
  bool m_accepting = false;                        ///< frames are taken only between a start and a stop of the link
  std::size_t m_dropped = 0;
  std::atomic<std::size_t> m_foreignFrames{0};  ///< counted on the receive thread
  std::size_t m_clampedValues = 0;
  const Caption* m_connectCaption = &captions::kConnect;
  bool m_connectPressed = false;
  bool m_lampLit = false;
  const Caption* m_statusText = &captions::kOffline;

  ISessionObserver* m_observer = nullptr;

  std::unique_ptr<ISubnetProvider> m_subnets;
  std::unique_ptr<CDeviceSearch> m_search;  ///< created by SetSearchSubnets; its threads end with it
  SearchPhase m_searchPhase = SearchPhase::Idle;
  BilingualText m_searchFailure;
  std::int64_t m_searchAsked = 0;
  std::atomic<bool> m_portReleased{true};  ///< set on the send thread once an update's release has run

  std::unique_ptr<CKeptValuesFile> m_kept;  ///< none: nothing is kept (tests, orvxctl)
  CPresetDatabase m_presets;
  std::string m_presetsError;

  std::unique_ptr<CDeviceState> m_fresh;  ///< the processor's state as a fresh read found it
  FreshReadPhase m_freshPhase = FreshReadPhase::Idle;
  bool m_freshHasState = false;  ///< the read's "Z" came; its names report completes it
  int m_freshAttempts = 0;
  std::int64_t m_freshAsked = 0;
};

}  // namespace orvx
