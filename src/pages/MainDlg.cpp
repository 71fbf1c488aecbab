#include "pages/MainDlg.h"

#include <algorithm>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QScrollArea>
#include <QShortcut>

#include "pages/AboutDlg.h"
#include "pages/CaptionText.h"
#include "pages/CompareView.h"
#include "pages/GroupPage.h"
#include "pages/MainCanvas.h"
#include "pages/MixerSidePanel.h"
#include "pages/PageMessages.h"
#include "pages/StatusLamp.h"
#include "pages/SystemPage.h"
#include "session/ClearActions.h"
#include "session/MainLayout.h"
#include "session/ControlGroups.h"
#include "session/MuteGroups.h"
#include "session/ProfileRules.h"
#include "session/ProfileStore.h"
#include "link/SocketErrorText.h"
#include "ui/FrameClock.h"
#include "ui/MenuEx.h"
#include "ui/PngButton.h"

namespace orvx {

namespace {

constexpr orvx::Caption kCloseDuringPlan{
    "The editor is still sending to the processor (%1 of %2 frames). Closing now leaves the processor half "
    "updated.",
    "编辑器仍在向处理器发送（%1 / %2 帧）。现在关闭会使处理器只更新了一部分。"};
constexpr orvx::Caption kFinishThenClose{"Finish, then close", "发送完毕后关闭"};
constexpr orvx::Caption kStopAndClose{"Stop now and close", "立即停止并关闭"};

}  // namespace

CMainDlg::CMainDlg(IShellSession& session, IProfileStore& profile, QWidget* parent)
    : QWidget(parent), m_session(session), m_profile(profile), m_state(session.State()) {
  setObjectName(QStringLiteral("MainDlg"));
  setWindowTitle(QString::fromLatin1(kCaption));

  // The header stays where it is; only the strips and pages below it scroll.
  auto* header = new CMainCanvas(this);
  header->setObjectName(QStringLiteral("Header"));
  m_header = header;
  m_scroll = new QScrollArea(this);
  m_scroll->setFrameShape(QFrame::NoFrame);
  m_scroll->setWidgetResizable(false);
  auto* canvas = new CMainCanvas;
  canvas->SetTopBarHeight(0);
  m_canvas = canvas;
  m_scroll->setWidget(m_canvas);

  // Start-up order: state defaults, controls (reading hostip), language, first view, timer 1.
  m_state.ResetToDefaults();
  m_headerKeys = new CHeaderKeys(m_header);
  m_readout = new CReadoutBox(m_session, m_header);
  m_groupKeys = new CGroupKeys(m_state, m_header);
  UpdateHistoryKeys();
  m_host = new CPageHost(m_session, m_profile, m_nav, m_scroll, m_canvas);
  m_compare = new CCompareView(m_session, this);
  WireParts();
  m_state.link.deviceIp = HostIpFromProfile(m_profile.Read(kProfileSection, kProfileHostIp), m_state.link.deviceIp);
  m_session.SetObserver(this);

  auto* quit = new QShortcut(QKeySequence::Quit, this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this, &CMainDlg::Undo);
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &CMainDlg::Redo);
  connect(&m_closeTick, &QTimer::timeout, this, &CMainDlg::OnCloseTick);
  connect(&m_planTick, &QTimer::timeout, this, &CMainDlg::ShowPlanProgress);
  m_session.Changes().SetPlanStarted([this] {
    ShowPlanProgress();
    m_planTick.start(kPlanTickMs);
  });

  ApplyLanguage(m_state.language);
  m_initialised = true;
  Relayout();
  OnLinkUi();
  m_tick.Start();
  // The name font is found and loaded once, right after start, rather than in the middle of the
  // first operation that renames a channel or pushes the whole state.
  QTimer::singleShot(0, this, [this] { m_session.Glyphs(); });
}

CMainDlg::~CMainDlg() { m_session.SetObserver(nullptr); }

QString CMainDlg::Tr(const orvx::Caption& c) const { return CaptionText(c, m_state.language); }

void CMainDlg::WireParts() {
  connect(m_headerKeys, &CHeaderKeys::ViewPressed, this, &CMainDlg::PressView);
  connect(m_headerKeys, &CHeaderKeys::GroupPressed, this, &CMainDlg::PressGroup);
  connect(m_headerKeys, &CHeaderKeys::LampClicked, this, &CMainDlg::ClickLamp);
  connect(m_headerKeys, &CHeaderKeys::HomeClicked, this, &CMainDlg::Home);
  connect(m_headerKeys, &CHeaderKeys::MenuClicked, this, &CMainDlg::ShowMenu);
  connect(m_headerKeys, &CHeaderKeys::LanguageClicked, this, &CMainDlg::ToggleLanguage);
  connect(m_headerKeys, &CHeaderKeys::UndoClicked, this, &CMainDlg::Undo);
  connect(m_headerKeys, &CHeaderKeys::RedoClicked, this, &CMainDlg::Redo);
  connect(m_groupKeys, &CGroupKeys::MuteKeyPressed, this, &CMainDlg::PressMuteKey);
  connect(m_groupKeys, &CGroupKeys::ControlKeyPressed, this, &CMainDlg::PressControlKey);

  connect(m_host, &CPageHost::Touched, this, &CMainDlg::OnTouched);
  connect(m_host, &CPageHost::InputEditorRequested, this, &CMainDlg::ShowInputChannelView);
  connect(m_host, &CPageHost::PhantomRequested, this, &CMainDlg::ShowPhantom);
  connect(m_host, &CPageHost::OutputEditorRequested, this, &CMainDlg::ShowOutputChannelView);
  CSystemPage* system = m_host->SystemPage();
  connect(system, &CSystemPage::ConnectClicked, this, &CMainDlg::OnConnect);
  connect(system, &CSystemPage::OfflineClicked, this, &CMainDlg::OnOffline);
  // The recovery holds the group keys like an update does, and ends on the first page.
  connect(system, &CSystemPage::RecoveryStarted, this, [this] { SetUpdateRunning(true); });
  // A push of the whole state (a recovery, a recalled scene) ends on the first page: the strips
  // of group 1, the navigation with them.
  const auto endPush = [this] {
    SetUpdateRunning(false);
    PressGroup(1);
    RefreshVisible(change::kAll);
  };
  connect(system, &CSystemPage::RecoveryFinished, this, endPush);
  // A recalled scene switches the control groups' links off first, as the recovery does.
  connect(system, &CSystemPage::SceneRecallStarted, this, [this] {
    SetUpdateRunning(true);
    UpdateGroupKeys();
  });
  connect(system, &CSystemPage::SceneRecallFinished, this, endPush);
  // A firmware update holds the group keys too; afterwards the link stays closed.
  connect(system, &CSystemPage::UpdateStarted, this, [this] { SetUpdateRunning(true); });
  connect(system, &CSystemPage::UpdateFinished, this, [this] { SetUpdateRunning(false); });
  CMixerSidePanel* side = m_host->SidePanel();
  connect(side, &CMixerSidePanel::ChoiceChanged, this, &CMainDlg::ShowOverview);
  connect(side, &CMixerSidePanel::ClearMuteClicked, this, &CMainDlg::ClearMute);
  connect(side, &CMixerSidePanel::ClearSoloClicked, this, &CMainDlg::ClearSolo);
}

void CMainDlg::PlaceFixedControls() {
  m_headerKeys->Place(m_headerUnit);
  m_readout->Place(m_headerUnit);
  m_groupKeys->Place(m_headerUnit);
  ShowPlanProgress();
}

void CMainDlg::ShowView(int group, MainView view) {
  PlaceFixedControls();
  m_headerKeys->ShowPressed(view, group);
  m_host->Show(group, view);
}

void CMainDlg::ShowOverview(const OverviewChoice& choice) {
  m_host->SetOverview(choice);
  m_nav.SelectBus(choice.bus);
  if (m_nav.ChannelViewKind() != ChannelView::None) return;  // a channel view keeps its place
  ScrollToStart();
  // PHANTOM draws the PHANTOM page; leaving it, or any other mode, comes back to the strips.
  if (choice.mode == OverviewMode::Phantom)
    m_nav.ShowPage(MainView::Phantom);
  else if (m_nav.View() == MainView::Phantom)
    m_nav.PressGroup(m_nav.Group());
  ShowCurrent();
}

void CMainDlg::ClearMute() {
  ChangeResult result = ChangeResult::Applied;
  m_session.Changes().ApplyPlan(ClearMutePlan(), &result);
  UpdateHistoryKeys();
  SayWhyNot(result);
}

void CMainDlg::ClearSolo() {
  m_session.Changes().Apply(ClearSoloChange());
  UpdateHistoryKeys();
}

void CMainDlg::PressGroup(int group) {
  ScrollToStart();
  if (!m_nav.PressGroup(group)) return;
  LeaveOverview();
  ShowCurrent();
}

void CMainDlg::PressView(ViewButton button) {
  ScrollToStart();
  m_nav.PressView(button);
  LeaveOverview();
  ShowCurrent();
}

void CMainDlg::ClickLamp() {
  if (!m_nav.ClickLamp(Lamp()->IsLit())) return;
  ScrollToStart();
  ShowCurrent();
}

void CMainDlg::Home() {
  ScrollToStart();
  m_nav.Home();
  LeaveOverview();  // HOME refreshes the side panel too
  ShowCurrent();
}

void CMainDlg::ShowPhantom() {
  ScrollToStart();
  m_nav.ShowPage(MainView::Phantom);
  ShowCurrent();
}

void CMainDlg::ShowInputChannelView(int record, int editorKind) {
  if (m_nav.EnterInputChannelView(record, editorKind)) ShowCurrent();
}

void CMainDlg::ShowOutputChannelView(int record, int editorKind) {
  if (m_nav.EnterOutputChannelView(record, editorKind)) ShowCurrent();
}

void CMainDlg::OnConnect() {
  const bool wasOnline = m_state.link.online;
  m_session.Connect();
  if (!wasOnline && m_state.link.connecting) {
    ScrollToStart();
    m_nav.EnterPageView();
    ShowCurrent();
  }
  OnLinkUi();
}

void CMainDlg::OnOffline() {
  m_nav.EnterPageView();
  ShowCurrent();
}

void CMainDlg::Relayout() {
  if (!m_initialised) return;
  const QSize client = size();
  m_header->setGeometry(0, 0, client.width(), CMainLayout::kStripTop);
  m_scroll->setGeometry(0, CMainLayout::kStripTop, client.width(), std::max(0, client.height() - CMainLayout::kStripTop));
  ScrollToStart();  // a resize resets both scroll ranges and positions
  m_headerUnit = CMainLayout::HeaderUnit(client.width());
  if (m_host->SetStripSize(CMainLayout::StripWidth(client.width()), CMainLayout::StripHeight(client.height())))
    ShowCurrent();
  m_host->FitBody();
  PlaceFixedControls();
  m_canvas->update();
}

void CMainDlg::resizeEvent(QResizeEvent*) { Relayout(); }

void CMainDlg::ApplyLanguage(Language language) {
  m_state.language = language;
  m_host->ShowSoloClearable();
  m_headerKeys->ApplyLanguage(language);
  m_groupKeys->ApplyLanguage(language);
  m_host->ApplyLanguage(language);
  OnLinkUi();
  UpdateReadout();
}

void CMainDlg::ToggleLanguage() {
  const Language next = m_state.language == Language::Chinese ? Language::English : Language::Chinese;
  ApplyLanguage(next);
  m_profile.Write(kProfileSection, kProfileLanguage, next == Language::Chinese ? "zh" : "en");
  emit LanguageChanged(next);
}

void CMainDlg::OnTouched(const ParamAddr& addr) {
  m_readout->Touch(addr);
  UpdateHistoryKeys();
}

void CMainDlg::Undo() {
  if (!m_session.Changes().Undo()) SayWhyRefused();
  UpdateHistoryKeys();
}

void CMainDlg::Redo() {
  if (!m_session.Changes().Redo()) SayWhyRefused();
  UpdateHistoryKeys();
}

void CMainDlg::SayWhyRefused() {
  if (const Caption* why = m_session.Changes().LastRefusal()) ShowNotice(this, CaptionText(*why, m_state.language));
}

void CMainDlg::UpdateHistoryKeys() {
  const CChangePath& changes = m_session.Changes();
  m_headerKeys->ShowHistory(changes.CanUndo(), changes.CanRedo());
}

void CMainDlg::PressMuteKey(int n) {
  const bool on = !MuteGroupApplied(m_state, n - 1);
  ChangeResult result = ChangeResult::Applied;
  m_session.Changes().ApplyPlan(MuteGroupPlan(m_state, n - 1, on), &result);
  UpdateGroupKeys();  // a refused key goes back to what the state holds
  UpdateHistoryKeys();
  SayWhyNot(result);
}

void CMainDlg::SayWhyNot(ChangeResult result) {
  if (result == ChangeResult::Busy || result == ChangeResult::Refused) SayWhyRefused();
}

void CMainDlg::ShowPlanProgress() {
  const PlanProgress progress = m_session.Changes().RunningProgress();
  const bool running = m_session.Changes().Busy() && progress.total > 0;
  if (!running) m_planTick.stop();
  m_headerKeys->ShowPlanProgress(progress.sent, running ? progress.total : 0, m_state.language);
}

void CMainDlg::PressControlKey(int n) {
  const ChangeResult result = m_session.Changes().Apply(ControlGroupKeyChange(m_state, n - 1));
  UpdateGroupKeys();  // a refused key goes back to what the state holds
  UpdateHistoryKeys();
  SayWhyNot(result);
}

void CMainDlg::UpdateGroupKeys() { m_groupKeys->Refresh(); }

void CMainDlg::ReportsTaken() {
  m_tick.ThreadAwake();
  CFrameClock::Shared().WindowAwake();
}

void CMainDlg::UpdateMeters() { m_host->UpdateMeters(); }

void CMainDlg::OnLinkUi() {
  m_headerKeys->ShowLink(m_session.LampLit(), m_session.StatusOnline(), m_state.language);
  SystemPage()->Refresh();
}

void CMainDlg::OnSupervisionNeeded() {
  if (!m_closing && !m_tick.IsActive()) m_tick.Start();
}

void CMainDlg::OnChanged(const ChangeNotice& notice) {
  // Meters and gate lamps take the new values now; the meters paint them on their next frame.
  if (notice.Has(change::kMeters | change::kGates)) UpdateMeters();
  const std::uint32_t bits = notice.bits & ~(change::kMeters | change::kGates);
  if (bits == 0) return;
  RefreshVisible(notice.Has(change::kFullState) ? change::kAll : bits);
  m_host->ShowSoloClearable();
  UpdateGroupKeys();
  UpdateReadout();
  UpdateHistoryKeys();
}

void CMainDlg::OnMessage(const Caption& text, const Caption& title, const std::string& detail) {
  // An empty title takes the window's caption.
  ShowNotice(this, QString::fromStdString(TextWithDetail(Text(text, m_state.language), detail)), Tr(title));
}

int CMainDlg::ExecMenu(const QPoint& at) {
  return CMenuEx::Exec({CMenuEx::Item::Command(Tr(captions::kCompareWithProcessor), kCompareCommand),
                        CMenuEx::Item::Separator(),
                        CMenuEx::Item::Command(QString::fromLatin1(kAboutItem), kAboutCommand)},
                       at, this);
}

void CMainDlg::RunMenuCommand(int command) {
  if (command == kAboutCommand) ShowAbout();
  if (command == kCompareCommand) CompareWithProcessor();
}

void CMainDlg::ShowMenu() {
  PngButton* menu = MenuButton();
  menu->SetChecked(true);
  const int chosen = ExecMenu(menu->mapToGlobal(QPoint(0, menu->height())));
  menu->SetChecked(false);
  RunMenuCommand(chosen);
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) { RunMenuCommand(ExecMenu(event->globalPos())); }

void CMainDlg::SetSceneStore(CSceneStore* store) { SystemPage()->SetSceneStore(store); }

void CMainDlg::CompareWithProcessor() { m_compare->Start(m_state.language); }

CAboutDlg* CMainDlg::CreateAboutDlg() { return new CAboutDlg(m_state.language, this); }

void CMainDlg::ShowAbout() {
  CAboutDlg* about = CreateAboutDlg();
  about->exec();
  delete about;
}

void CMainDlg::closeEvent(QCloseEvent* event) {
  if (m_closeDone) {
    event->accept();
    return;
  }
  event->ignore();
  CloseInOrder(PlanOnClose::Ask);
}

void CMainDlg::CloseInOrder(PlanOnClose plan) {
  if (m_closing) return;
  CChangePath& changes = m_session.Changes();
  if (!changes.Busy() || plan == PlanOnClose::Finish) {
    BeginClose();
    return;
  }
  if (plan == PlanOnClose::Stop) {
    changes.CancelPlan();
    BeginClose();
    return;
  }
  if (OpenPageMessage(this)) return;  // the question is already open
  const PlanProgress progress = changes.RunningProgress();
  const Language language = m_state.language;
  const QString text = CaptionText(kCloseDuringPlan, language).arg(progress.sent).arg(progress.total);
  AskChoice(this, text, {CaptionText(kFinishThenClose, language), CaptionText(kStopAndClose, language)},
            [this](int choice) { CloseInOrder(choice == 0 ? PlanOnClose::Finish : PlanOnClose::Stop); });
}

void CMainDlg::BeginClose() {
  m_closing = true;
  m_tick.Stop();
  m_session.BeginClose();
  m_closeClock.start();
  m_closeTick.start(kCloseTickMs);
}

void CMainDlg::OnCloseTick() {
  // The window ends once the receive thread has gone (after the plan and the last "%Q" 00), but
  // never waits forever for it once nothing is left to send.
  if (m_session.Changes().Busy()) m_closeClock.restart();
  if (!m_session.CloseFinished() && m_closeClock.elapsed() < kCloseLimitMs) return;
  m_closeTick.stop();
  m_closeDone = true;
  close();
}

}  // namespace orvx
