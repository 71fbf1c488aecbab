#pragma once
/// The editor's one top-level window: a fixed header over a scrolled body. Its parts do the
/// showing (CHeaderKeys, CReadoutBox, CGroupKeys in the header; CPageHost for the strips and
/// pages); the window wires them to the navigation, the change path and the session, and repaints
/// them when the session's change notice names what moved. Rules live in the session (CMainLayout,
/// CNavigation, CValueReadout, the change path).

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "core/Captions.h"
#include "pages/GroupKeys.h"
#include "pages/HeaderKeys.h"
#include "pages/PageHost.h"
#include "pages/PageRegistry.h"
#include "pages/ReadoutBox.h"
#include "session/Navigation.h"
#include "session/ShellSession.h"
#include "session/SidePanelModel.h"
#include "ui/WakeSharingTimer.h"

class QLineEdit;
class QScrollArea;

namespace orvx {

class CAboutDlg;
class CAutoMixerPage;
class CCompareView;
class CSceneStore;
class CGroupPage;
class CChannelStrip;
class CInputStrip;
class CMatrixPage;
class CMixerDetailPanel;
class CMixerSidePanel;
class COutputStrip;
class CStatusLamp;
class CSystemPage;
class CTitledPage;
class CValueLabel;
class IProfileStore;
class PngButton;

class CMainDlg : public QWidget, private ISessionObserver {
  Q_OBJECT
public:
  static constexpr const char* kCaption = "ORVX-64Q 3.2";
  static constexpr const char* kAboutItem = "ABOUT ORVX-64Q 3.2(&A)...";
  static constexpr int kTickMs = 50;        ///< timer 1: supervision
  static constexpr int kCloseTickMs = 100;  ///< timer 2: waits for the receive thread at close
  static constexpr int kCloseLimitMs = 3000;
  static constexpr int kPlanTickMs = 100;  ///< the header's progress of a running plan
  /// The window's menu: the about box, the comparison with the processor.
  static constexpr int kAboutCommand = 16;
  static constexpr int kCompareCommand = 17;

  /// Reads `hostip` from the profile into the state and builds every child hidden.
  CMainDlg(IShellSession& session, IProfileStore& profile, QWidget* parent = nullptr);
  ~CMainDlg() override;

  /// The single layout routine: places the fixed controls and shows the group's strips or a page.
  void ShowView(int group, MainView view);
  void ApplyLanguage(Language language);

  // Navigation handlers (buttons call these; tests and the screenshot tool too).
  void PressGroup(int group);
  void PressView(ViewButton button);
  void ClickLamp();
  void Home();
  void ShowInputChannelView(int record, int editorKind);
  void ShowOutputChannelView(int record, int editorKind);
  void ShowPhantom();
  /// The reports that woke the window were taken: the supervision tick and the meters' next frame
  /// ride on this wake-up when they are due soon, instead of waking the window again.
  void ReportsTaken();
  /// CONNECT / DISCONNECT (the SYSTEM page's button).
  void OnConnect();
  /// OFFLINE: the mixer pages without link activity.
  void OnOffline();
  /// The side panel's choice: the overview shows it, or the current view again for no mode.
  void ShowOverview(const OverviewChoice& choice);
  /// CLEAR MUTE: every MUTE to 0 as one plan. CLEAR SOLO: every SOLO flag to 0 (state only).
  void ClearMute();
  void ClearSolo();
  CMixerSidePanel* SidePanel() const { return m_host->SidePanel(); }
  CMixerDetailPanel* DetailPanel() const { return m_host->DetailPanel(); }
  CMatrixPage* MatrixPage() const { return m_host->MatrixPage(); }
  /// Firmware update running: group buttons ignored.
  void SetUpdateRunning(bool running) { m_nav.SetUpdateRunning(running); }

  /// Mute-group key n (1..4): switches the group on, or off while it is lit.
  void PressMuteKey(int n);
  /// Control-group key n (1..4): switches the group's link on, or off while it is lit.
  void PressControlKey(int n);
  PngButton* MuteKey(int n) const { return m_groupKeys->MuteKey(n); }
  PngButton* ControlKey(int n) const { return m_groupKeys->ControlKey(n); }
  CGroupPage* GroupPage() const { return m_host->GroupPage(); }
  CAutoMixerPage* AutoMixerPage() const { return m_host->AutoMixerPage(); }

  /// Typed entry into the value box: parsed in the operator's units and applied through the
  /// change path; text that is not a value is refused with a visible cue.
  void CommitTypedValue(const QString& text) { m_readout->Commit(text); }
  /// Undo / redo of the operator's last change (Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y; the two keys).
  void Undo();
  void Redo();
  /// Fills the value read-out from the last-touched control.
  void UpdateReadout() { m_readout->Update(); }

  /// The scenes of the SYSTEM page's SHOW tab live in `store` (null: none).
  void SetSceneStore(CSceneStore* store);
  /// "Compare with processor": reads the processor afresh and shows what differs.
  void CompareWithProcessor();
  CCompareView* Compare() const { return m_compare; }
  /// A command of the window's menu.
  void RunMenuCommand(int command);

  /// The about box, modal.
  void ShowAbout();
  /// A new about box (not shown), for the screenshot tool.
  CAboutDlg* CreateAboutDlg();

  // Read access for tests and the screenshot tool.
  const CNavigation& Navigation() const { return m_nav; }
  int StripWidth() const { return m_host->StripWidth(); }
  int StripHeight() const { return m_host->StripHeight(); }
  QWidget* Canvas() const { return m_canvas; }
  QScrollArea* ScrollArea() const { return m_scroll; }
  CStatusLamp* Lamp() const { return m_headerKeys->Lamp(); }
  CValueLabel* StatusText() const { return m_headerKeys->StatusText(); }
  CSystemPage* SystemPage() const { return m_host->SystemPage(); }
  QLineEdit* ValueBox() const { return m_readout->ValueBox(); }
  CValueLabel* ChannelNameLabel() const { return m_readout->NameLabel(); }
  CValueLabel* KindLabel() const { return m_readout->KindLabel(); }
  PngButton* GroupButton(int group) const { return m_headerKeys->GroupButton(group); }
  PngButton* ViewButtonAt(ViewButton b) const { return m_headerKeys->ViewButtonAt(b); }
  PngButton* LanguageButton() const { return m_headerKeys->LanguageButton(); }
  PngButton* UndoButton() const { return m_headerKeys->UndoButton(); }
  PngButton* MenuButton() const { return m_headerKeys->MenuButton(); }
  PngButton* RedoButton() const { return m_headerKeys->RedoButton(); }
  const CPageRegistry& Pages() const { return m_host->Pages(); }
  /// Strips of the CHANNEL view now shown, left to right.
  std::vector<CChannelStrip*> VisibleStrips() const { return m_host->VisibleStrips(); }
  /// The page or editor now shown (nullptr in the CHANNEL view).
  CTitledPage* VisiblePage() const { return m_host->VisiblePage(); }
  CInputStrip* InputStrip(int record) const { return m_host->InputStrip(record); }
  COutputStrip* OutputStrip(int record) const { return m_host->OutputStrip(record); }
  bool CloseFinished() const { return m_closeDone; }
  /// True while timer 1 (supervision) runs: online, connecting or searching, never idle offline.
  bool SupervisionRunning() const { return m_tick.IsActive(); }
  /// What closing does with a plan still on its way to the processor.
  enum class PlanOnClose { Ask, Finish, Stop };
  /// Closes in order: the plan finishes or stops, then "%Q" 00 leaves and the receive thread ends
  /// (the window's close button asks; a termination signal stops the plan).
  void CloseInOrder(PlanOnClose plan);
  /// A plan's progress in the header; the bar goes when the plan has gone.
  void ShowPlanProgress();

signals:
  void LanguageChanged(Language language);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  // ISessionObserver
  void OnChanged(const ChangeNotice& notice) override;
  void OnLinkUi() override;
  void OnSupervisionNeeded() override;
  void OnMessage(const Caption& text, const Caption& title, const std::string& detail) override;

  /// Connects the parts' presses and the pages' requests to the window's handlers.
  void WireParts();
  void PlaceFixedControls();
  void Relayout();
  void ShowCurrent() { ShowView(m_nav.Group(), m_nav.View()); }
  void LeaveOverview() { m_host->LeaveOverview(); }
  void ScrollToStart() { m_host->ScrollToStart(); }
  void UpdateMeters();
  void OnCloseTick();
  void BeginClose();
  /// Undo or redo was refused: shows why (a rule between records, a running plan).
  void SayWhyRefused();
  /// A change the change path found busy or refused: the control goes back, the reason shows.
  void SayWhyNot(ChangeResult result);
  void ToggleLanguage();
  void ShowMenu();
  /// The window's menu at `at`; the command chosen, 0 for none.
  int ExecMenu(const QPoint& at);
  void RefreshVisible(std::uint32_t bits) { m_host->Refresh(bits); }
  void OnTouched(const ParamAddr& addr);
  void UpdateHistoryKeys();
  void UpdateGroupKeys();
  QString Tr(const orvx::Caption& c) const;

  IShellSession& m_session;
  IProfileStore& m_profile;
  CDeviceState& m_state;
  CNavigation m_nav;

  bool m_initialised = false;

  QScrollArea* m_scroll = nullptr;
  QWidget* m_canvas = nullptr;  ///< the scrolled body: strips, pages, panels
  QWidget* m_header = nullptr;  ///< the fixed header above it
  int m_headerUnit = 150;

  CHeaderKeys* m_headerKeys = nullptr;
  CReadoutBox* m_readout = nullptr;
  CGroupKeys* m_groupKeys = nullptr;
  CPageHost* m_host = nullptr;
  CCompareView* m_compare = nullptr;

  /// Timer 1; it stops while the session has nothing for it (idle offline).
  CWakeSharingTimer m_tick{kTickMs, [this] {
                             m_session.Tick();
                             if (m_session.SupervisionIdle()) m_tick.Stop();
                           }};
  QTimer m_closeTick;
  QTimer m_planTick;  ///< runs only while a plan is on its way
  QElapsedTimer m_closeClock;
  bool m_closing = false;
  bool m_closeDone = false;
};

}  // namespace orvx
