#include "pages/MainDlg.h"

#include <algorithm>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QKeySequence>
#include <QScrollArea>
#include <QScrollBar>
#include <QProgressBar>
#include <QScopeGuard>
#include <QShortcut>
#include <QToolTip>

#include "pages/AboutDlg.h"
#include "pages/AutoMixerPage.h"
#include "pages/CaptionText.h"
#include "pages/GroupPage.h"
#include "pages/ChannelSendsPage.h"
#include "pages/InputStrip.h"
#include "pages/MainCanvas.h"
#include "pages/MatrixPage.h"
#include "pages/MixerDetailPanel.h"
#include "pages/MixerSidePanel.h"
#include "pages/OutputStrip.h"
#include "pages/PageMessages.h"
#include "pages/PageRegistry.h"
#include "pages/PhantomPage.h"
#include "pages/ShellButtons.h"
#include "pages/ShellStyle.h"
#include "pages/StatusLamp.h"
#include "pages/SystemPage.h"
#include "pages/TitledPage.h"
#include "session/ClearActions.h"
#include "session/MainLayout.h"
#include "session/MixerOverview.h"
#include "session/MuteGroups.h"
#include "session/ProfileRules.h"
#include "session/ProfileStore.h"
#include "link/SocketErrorText.h"
#include "ui/FrameClock.h"
#include "ui/MenuEx.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {

/// The body's first strip row sits this far under the header's edge.
constexpr int kBodyTop = 0;

constexpr orvx::Caption kViewCaptions[5] = {
    {"CHANNEL", "通道"}, {"MATRIX", "矩阵"}, {"MODE", "模式"}, {"SYSTEM", "系统"}, {"GROUPS", "分组"}};
constexpr orvx::Caption kGroupLabels[4] = {
    {"CH1-8", "通道1-8"}, {"CH9-12", "通道9-12"}, {"EFFECT", "效果"}, {"OUTPUTS", "输出"}};
constexpr orvx::Caption kGroupKeyCaptions[4] = {{"1-8", "1-8"}, {"9-12", "9-12"}, {"FX", "效果"}, {"OUT", "输出"}};
constexpr orvx::Caption kChannelOne{"CH1", "通道1"};
constexpr orvx::Caption kMuteCaption{"MUTE", "静音"};
constexpr orvx::Caption kHome{"HOME", "主页"};
constexpr orvx::Caption kMuteGroups{"M GROUPS", "静音分组"};
constexpr orvx::Caption kControlGroups{"C GROUPS", "控制分组"};
constexpr orvx::Caption kMenu{"Menu", "菜单"};
constexpr orvx::Caption kUndo{"UNDO", "撤销"};
constexpr orvx::Caption kRedo{"REDO", "重做"};
constexpr int kAboutCommand = 16;
constexpr orvx::Caption kCloseDuringPlan{
    "The editor is still sending to the processor (%1 of %2 frames). Closing now leaves the processor half "
    "updated.",
    "编辑器仍在向处理器发送（%1 / %2 帧）。现在关闭会使处理器只更新了一部分。"};
constexpr orvx::Caption kSendingPlan{"Sending to the processor: %1 / %2", "正在发送到处理器：%1 / %2"};
constexpr orvx::Caption kFinishThenClose{"Finish, then close", "发送完毕后关闭"};
constexpr orvx::Caption kStopAndClose{"Stop now and close", "立即停止并关闭"};

constexpr orvx::Caption kPageTitles[6] = {
    {"", ""},           {"DEVICE SETTING", "设备设置"}, {"MATRIX", "矩阵"}, {"AUTOMATIC MIXER", "自动混音"},
    {"GROUPS", "分组"}, {"PHANTOM POWER", "幻象电源"},
};
constexpr orvx::Caption kInputEditorTitles[5] = {
    {"", ""},
    {"COMPRESSOR / NOISE GATE", "压缩器 / 噪声门"},
    {"PARAMETRIC EQ", "参量均衡"},
    {"DELAY / REVERB", "延时 / 混响"},
    {"CHANNEL SENDS", "通道发送"},
};
constexpr orvx::Caption kOutputEditorTitles[3] = {{"", ""}, {"LIMITER", "限幅器"}, {"GRAPHIC EQ", "图示均衡"}};

void Place(QWidget* w, const LayoutRect& r) { w->setGeometry(r.x, r.y, r.w, r.h); }
/// Strips, pages and panels live in the scrolled body, which starts under the header.
void PlaceInBody(QWidget* w, const LayoutRect& r) {
  w->setGeometry(r.x, r.y - CMainLayout::kStripTop + kBodyTop, r.w, r.h);
}

CValueLabel* MakeLabel(QWidget* parent, double points, bool bold = false) {
  auto* l = new CValueLabel(parent);
  l->SetAlignment(1);
  l->SetFontSize(points);
  if (bold) l->setFont(UiFont(points, true));
  return l;
}

QLineEdit* MakeValueBox(QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setAlignment(Qt::AlignCenter);
  e->setFont(UiFont(11, true));
  ApplyEditStyle(e);
  return e;
}

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
  CreateFixedControls();
  CreateStripsAndPages();
  m_state.link.deviceIp = HostIpFromProfile(m_profile.Read(kProfileSection, kProfileHostIp), m_state.link.deviceIp);
  m_session.SetObserver(this);

  auto* quit = new QShortcut(QKeySequence::Quit, this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this, &CMainDlg::Undo);
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &CMainDlg::Redo);
  connect(&m_closeTick, &QTimer::timeout, this, &CMainDlg::OnCloseTick);
  m_planProgress = MakeProgressBar(m_header);
  m_planProgress->setObjectName(QStringLiteral("PlanProgress"));
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

void CMainDlg::CreateFixedControls() {
  for (int i = 0; i < 5; ++i) {
    auto* b = MakeShellButton({}, ButtonLook::View, m_header);
    b->setObjectName(QStringLiteral("ViewButton%1").arg(i));
    connect(b, &QAbstractButton::clicked, this, [this, i] { PressView(static_cast<ViewButton>(i)); });
    m_viewButtons[i] = b;
  }
  for (int g = 1; g <= 4; ++g) {
    auto* b = MakeShellButton({}, ButtonLook::Group, m_header);
    b->setObjectName(QStringLiteral("GroupButton%1").arg(g));
    connect(b, &QAbstractButton::clicked, this, [this, g] { PressGroup(g); });
    m_groupButtons[g - 1] = b;
    m_groupLabels[g - 1] = MakeLabel(m_header, 9);
  }
  // Group 3 (the effect returns) has no visible key.
  m_groupButtons[2]->hide();
  m_groupLabels[2]->hide();

  m_nameLabel = MakeLabel(m_header, 11, true);
  m_nameLabel->setObjectName(QStringLiteral("ChannelName"));
  m_kindLabel = MakeLabel(m_header, 10);
  m_kindLabel->setObjectName(QStringLiteral("KindName"));
  m_valueBox = MakeValueBox(m_header);
  m_valueBox->setObjectName(QStringLiteral("ValueBox"));
  connect(m_valueBox, &QLineEdit::returnPressed, this, [this] { CommitTypedValue(m_valueBox->text()); });
  connect(m_valueBox, &QLineEdit::textEdited, this, [this] { ApplyEditStyle(m_valueBox); });
  m_valueBox->installEventFilter(this);

  m_lamp = new CStatusLamp(m_header);
  m_lamp->setObjectName(QStringLiteral("StatusLamp"));
  connect(m_lamp, &CStatusLamp::Clicked, this, &CMainDlg::ClickLamp);
  m_statusText = MakeLabel(m_header, 11, true);
  m_statusText->setObjectName(QStringLiteral("StatusText"));

  m_home = MakeShellButton({}, ButtonLook::Key, m_header);
  m_home->hide();
  connect(m_home, &QAbstractButton::clicked, this, &CMainDlg::Home);
  m_homeLabel = MakeLabel(m_header, 9);
  m_homeLabel->hide();

  m_muteGroupLabel = MakeLabel(m_header, 9);
  m_controlGroupLabel = MakeLabel(m_header, 9);
  for (int n = 0; n < 4; ++n) {
    // Mute key n applies mute group n (lit while every member is muted); control key n opens
    // control group n on the GROUP page (lit while it is the one being edited).
    m_muteKeys[n] = MakeShellButton(QString::number(n + 1), ButtonLook::Toggle, m_header);
    m_muteKeys[n]->setObjectName(QStringLiteral("MuteGroupKey%1").arg(n + 1));
    connect(m_muteKeys[n], &QAbstractButton::clicked, this, [this, n] { PressMuteKey(n + 1); });
    m_controlKeys[n] = MakeShellButton(QString::number(n + 1), ButtonLook::Toggle, m_header);
    m_controlKeys[n]->setObjectName(QStringLiteral("ControlGroupKey%1").arg(n + 1));
    connect(m_controlKeys[n], &QAbstractButton::clicked, this, [this, n] { PressControlKey(n + 1); });
  }

  m_menu = MakeShellButton({}, ButtonLook::Toggle, m_header);
  m_menu->setObjectName(QStringLiteral("MenuButton"));
  connect(m_menu, &QAbstractButton::clicked, this, &CMainDlg::ShowMenu);
  m_langButton = MakeShellButton(QStringLiteral("EN / 中文"), ButtonLook::Key, m_header);
  m_langButton->setObjectName(QStringLiteral("LanguageButton"));
  connect(m_langButton, &QAbstractButton::clicked, this, &CMainDlg::ToggleLanguage);
  m_undo = MakeShellButton({}, ButtonLook::Key, m_header);
  m_undo->setObjectName(QStringLiteral("UndoButton"));
  connect(m_undo, &QAbstractButton::clicked, this, &CMainDlg::Undo);
  m_redo = MakeShellButton({}, ButtonLook::Key, m_header);
  m_redo->setObjectName(QStringLiteral("RedoButton"));
  connect(m_redo, &QAbstractButton::clicked, this, &CMainDlg::Redo);
  UpdateHistoryKeys();
}

void CMainDlg::CreateStripsAndPages() {
  auto wire = [this](CChannelStrip* s) {
    s->hide();
    connect(s, &CChannelStrip::Touched, this, &CMainDlg::OnTouched);
  };
  auto wireInput = [this, &wire](CInputStrip* s) {
    wire(s);
    connect(s, &CInputStrip::EditorRequested, this, &CMainDlg::ShowInputChannelView);
    connect(s, &CInputStrip::PhantomRequested, this, &CMainDlg::ShowPhantom);
  };
  for (int r = 0; r < kInputRecords; ++r) {
    m_inputs[r] = new CInputStrip(m_session, m_canvas);
    m_inputs[r]->setObjectName(QStringLiteral("InputStrip%1").arg(r));
    wireInput(m_inputs[r]);
  }
  for (int r = 0; r < kOutputRecords; ++r) {
    m_outputs[r] = new COutputStrip(m_session, m_canvas);
    m_outputs[r]->setObjectName(QStringLiteral("OutputStrip%1").arg(r));
    wire(m_outputs[r]);
    connect(m_outputs[r], &COutputStrip::OpenEditor, this, &CMainDlg::ShowOutputChannelView);
  }
  m_spareInput = new CInputStrip(m_session, m_canvas);
  m_spareInput->setObjectName(QStringLiteral("SpareInputStrip"));
  wireInput(m_spareInput);
  m_spareOutput = new COutputStrip(m_session, m_canvas);
  m_spareOutput->setObjectName(QStringLiteral("SpareOutputStrip"));
  wire(m_spareOutput);
  connect(m_spareOutput, &COutputStrip::OpenEditor, this, &CMainDlg::ShowOutputChannelView);

  m_system = new CSystemPage(m_session, m_profile, m_canvas);
  m_registry.Add(PageKey::Of(MainView::System), m_system);
  m_system->SetUpdateRunningQuery([this] { return m_nav.UpdateRunning(); });
  connect(m_system, &CSystemPage::ConnectClicked, this, &CMainDlg::OnConnect);
  connect(m_system, &CSystemPage::OfflineClicked, this, &CMainDlg::OnOffline);
  // The recovery holds the group keys like an update does, and ends on the first page.
  connect(m_system, &CSystemPage::RecoveryStarted, this, [this] { SetUpdateRunning(true); });
  connect(m_system, &CSystemPage::RecoveryFinished, this, [this] {
    SetUpdateRunning(false);
    ShowView(1, MainView::Channel);
    RefreshVisible(change::kAll);
  });
  m_matrix = new CMatrixPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Matrix), m_matrix);
  // The side panel stays put over the scrolled canvas, at the right of the visible area.
  m_sidePanel = new CMixerSidePanel(m_scroll->viewport());
  m_scroll->viewport()->installEventFilter(this);
  connect(m_sidePanel, &CMixerSidePanel::ChoiceChanged, this, &CMainDlg::ShowOverview);
  connect(m_sidePanel, &CMixerSidePanel::ClearMuteClicked, this, &CMainDlg::ClearMute);
  connect(m_sidePanel, &CMixerSidePanel::ClearSoloClicked, this, &CMainDlg::ClearSolo);
  m_detail = new CMixerDetailPanel(m_state, m_canvas);
  m_detail->hide();
  auto* phantom = new CPhantomPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Phantom), phantom);
  auto* sends = new CChannelSendsPage(m_session, m_canvas);
  m_registry.Add(PageKey::InputEditor(CInputStrip::kSendsEditor), sends);
  m_autoMixer = new CAutoMixerPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Mode), m_autoMixer);
  m_groupPage = new CGroupPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Groups), m_groupPage);
  connect(m_groupPage, &CGroupPage::ControlGroupSelected, this, &CMainDlg::UpdateGroupKeys);
  // Pages still to come show their title only.
  for (int v = 2; v <= 5; ++v)
    if (!m_registry.Find(PageKey::Of(static_cast<MainView>(v))))
      m_registry.Add(PageKey::Of(static_cast<MainView>(v)), new CTitledPage(kPageTitles[v], m_canvas));
  for (int k = 1; k <= 4; ++k)
    if (!m_registry.Find(PageKey::InputEditor(k)))
      m_registry.Add(PageKey::InputEditor(k), new CTitledPage(kInputEditorTitles[k], m_canvas));
  for (int k = 1; k <= 2; ++k)
    m_registry.Add(PageKey::OutputEditor(k), new CTitledPage(kOutputEditorTitles[k], m_canvas));
  m_registry.ForEach([this](CTitledPage* p) {
    connect(p, &CTitledPage::Touched, this, &CMainDlg::OnTouched);
    p->setObjectName(p->Title());
    p->hide();
  });
}

void CMainDlg::PlaceFixedControls() {
  const int w = m_headerUnit;
  const MainControl views[5] = {MainControl::ViewChannel, MainControl::ViewMatrix, MainControl::ViewMode,
                                MainControl::ViewSystem, MainControl::ViewGroups};
  for (int i = 0; i < 5; ++i) Place(m_viewButtons[i], CMainLayout::ControlRect(views[i], w));
  const MainControl groups[4] = {MainControl::GroupButton1, MainControl::GroupButton2, MainControl::GroupButton1,
                                 MainControl::GroupButton4};
  const MainControl labels[4] = {MainControl::GroupLabel1, MainControl::GroupLabel2, MainControl::GroupLabel1,
                                 MainControl::GroupLabel4};
  for (int g = 0; g < 4; ++g) {
    if (g == 2) continue;  // hidden key
    Place(m_groupButtons[g], CMainLayout::ControlRect(groups[g], w));
    Place(m_groupLabels[g], CMainLayout::ControlRect(labels[g], w));
  }
  Place(m_nameLabel, CMainLayout::ControlRect(MainControl::ChannelName, w));
  Place(m_valueBox, CMainLayout::ControlRect(MainControl::ValueBox, w));
  Place(m_kindLabel, CMainLayout::ControlRect(MainControl::KindName, w));
  Place(m_lamp, CMainLayout::ControlRect(MainControl::StatusLamp, w));
  Place(m_statusText, CMainLayout::ControlRect(MainControl::StatusText, w));
  Place(m_planProgress, CMainLayout::ControlRect(MainControl::PlanProgress, w));
  ShowPlanProgress();
  Place(m_muteGroupLabel, CMainLayout::ControlRect(MainControl::MuteGroupLabel, w));
  Place(m_controlGroupLabel, CMainLayout::ControlRect(MainControl::ControlGroupLabel, w));
  for (int n = 0; n < 4; ++n) {
    Place(m_muteKeys[n], CMainLayout::GroupKeyRect(false, n + 1, w));
    Place(m_controlKeys[n], CMainLayout::GroupKeyRect(true, n + 1, w));
  }
  Place(m_menu, CMainLayout::ControlRect(MainControl::Menu, w));
  Place(m_langButton, CMainLayout::ControlRect(MainControl::LanguageToggle, w));
  Place(m_undo, CMainLayout::ControlRect(MainControl::Undo, w));
  Place(m_redo, CMainLayout::ControlRect(MainControl::Redo, w));
}

void CMainDlg::HideAllChildren() {
  for (auto* s : m_inputs) s->hide();
  for (auto* s : m_outputs) s->hide();
  m_spareInput->hide();
  m_spareOutput->hide();
  m_detail->hide();
  m_registry.HideAll();
}

void CMainDlg::ShowView(int group, MainView view) {
  const auto fitBody = qScopeGuard([this] { FitBody(); });  // whichever way the view is shown
  HideAllChildren();
  PlaceFixedControls();
  const int pressed = CNavigation::ButtonOfView(view);
  for (int i = 0; i < 5; ++i) m_viewButtons[i]->SetChecked(i == pressed);
  for (int g = 1; g <= 4; ++g) m_groupButtons[g - 1]->SetChecked(view == MainView::Channel && g == group);
  PlaceSidePanel();
  // In an AUX view of the side panel the inputs' faders move their send to that AUX.
  for (CInputStrip* s : m_inputs) s->ShowSend(SendIndexOfBus(m_overview.bus));
  if (m_nav.ChannelViewKind() != ChannelView::None) {
    ShowChannelView();
    return;
  }
  if (view == MainView::Channel && m_overview.mode != OverviewMode::None) {
    ShowOverviewStrips();
    return;
  }
  if (view == MainView::Channel) {
    const auto members = CNavigation::GroupStrips(group);
    for (std::size_t i = 0; i < members.size(); ++i) {
      CChannelStrip* s = members[i].output ? static_cast<CChannelStrip*>(m_outputs[members[i].record])
                                           : static_cast<CChannelStrip*>(m_inputs[members[i].record]);
      PlaceInBody(s, CMainLayout::StripRect(static_cast<int>(i), m_w, m_stripHeight));
      s->ShowForChannel(members[i].record);
    }
    return;
  }
  CTitledPage* page = m_registry.Find(PageKey::Of(view));
  PlaceInBody(page, CMainLayout::PageRect(m_w, m_stripHeight));
  page->Refresh();
  page->show();
}

void CMainDlg::ShowChannelView() {
  const int record = m_nav.ChannelViewChannel();
  const int kind = m_nav.ChannelViewEditor();
  CTitledPage* editor = nullptr;
  if (m_nav.ChannelViewKind() == ChannelView::Input) {
    PlaceInBody(m_spareInput, CMainLayout::InputViewStripRect(m_w, m_stripHeight));
    m_spareInput->ShowForChannel(record);
    editor = m_registry.Find(PageKey::InputEditor(kind));
    editor->SetSubtitle(m_spareInput->NameText());
    PlaceInBody(editor, CMainLayout::InputViewEditorRect(m_w, m_stripHeight));
  } else {
    PlaceInBody(m_spareOutput, CMainLayout::OutputViewStripRect(m_w, m_stripHeight));
    m_spareOutput->ShowForChannel(record);
    editor = m_registry.Find(PageKey::OutputEditor(kind));
    editor->SetSubtitle(m_spareOutput->NameText());
    PlaceInBody(editor, CMainLayout::OutputViewEditorRect(m_w, m_stripHeight));
  }
  editor->OpenFor(record);
  editor->show();
}

void CMainDlg::ShowOverview(const OverviewChoice& choice) {
  m_overview = choice;
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

void CMainDlg::ShowOverviewStrips() {
  const OverviewStrips strips = OverviewFor(m_state, m_overview);
  const int shown = std::min<int>(static_cast<int>(strips.inputs.size()), kOverviewInputSlots);
  for (int i = 0; i < shown; ++i) {
    CInputStrip* s = m_inputs[strips.inputs[i]];
    PlaceInBody(s, CMainLayout::StripRect(i, m_w, m_stripHeight));
    s->ShowForChannel(strips.inputs[i]);
  }
  if (strips.output >= 0) {
    PlaceInBody(m_outputs[strips.output], CMainLayout::OutputViewStripRect(m_w, m_stripHeight));
    m_outputs[strips.output]->ShowForChannel(strips.output);
  }
  PlaceInBody(m_detail, CMainLayout::DetailPanelRect(m_w, m_stripHeight));
  m_detail->ShowChoice(m_overview, strips);
  m_detail->show();
}

void CMainDlg::PlaceSidePanel() {
  // Beside the mixer: the strips and the overview (and the PHANTOM page it opens), never a
  // channel view or another page.
  const bool mixer = m_nav.View() == MainView::Channel || m_overview.mode == OverviewMode::Phantom;
  const bool shown = mixer && m_nav.ChannelViewKind() == ChannelView::None;
  const QWidget* area = m_scroll->viewport();
  // The body's viewport starts under the header: the panel stands at its top right.
  const int top = kBodyTop;
  m_sidePanel->setGeometry(area->width() - CMixerSidePanel::kWidth - 2, top, CMixerSidePanel::kWidth,
                           std::max(CMixerSidePanel::kMinHeight, area->height() - top - 2));
  m_sidePanel->setVisible(shown);
  if (shown) m_sidePanel->raise();
}

void CMainDlg::LeaveOverview() {
  m_overview.mode = OverviewMode::None;
  m_overview.group = 0;
  m_sidePanel->Reset();
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

void CMainDlg::ScrollToStart() {
  m_scroll->horizontalScrollBar()->setValue(0);
  m_scroll->verticalScrollBar()->setValue(0);
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
  if (!m_nav.ClickLamp(m_lamp->IsLit())) return;
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
  const int w = CMainLayout::StripWidth(client.width());
  const int h = CMainLayout::StripHeight(client.height());
  m_headerUnit = CMainLayout::HeaderUnit(client.width());
  if (w != m_w || h != m_stripHeight || !m_laidOut) {
    m_w = w;
    m_stripHeight = h;
    m_laidOut = true;
    ShowCurrent();
  }
  FitBody();
  PlaceFixedControls();
  m_canvas->update();
}

void CMainDlg::FitBody() {
  // The body is as large as what it shows (the strips of the view, a page), never smaller than the
  // viewport: it scrolls only when the window is narrower or shorter than that.
  const QRect shown = m_canvas->childrenRect();
  const QSize area = m_scroll->maximumViewportSize();
  m_canvas->resize(std::max(area.width(), shown.right() + 1), std::max(area.height(), shown.bottom() + 1 + kBodyTop));
}

void CMainDlg::resizeEvent(QResizeEvent*) { Relayout(); }

std::vector<CChannelStrip*> CMainDlg::VisibleStrips() const {
  std::vector<CChannelStrip*> shown;
  for (auto* s : m_inputs)
    if (s->isVisibleTo(m_canvas)) shown.push_back(s);
  for (auto* s : m_outputs)
    if (s->isVisibleTo(m_canvas)) shown.push_back(s);
  for (CChannelStrip* s : {static_cast<CChannelStrip*>(m_spareInput), static_cast<CChannelStrip*>(m_spareOutput)})
    if (s->isVisibleTo(m_canvas)) shown.push_back(s);
  std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
  return shown;
}

CTitledPage* CMainDlg::VisiblePage() const { return m_registry.Visible(m_canvas); }

void CMainDlg::ApplyLanguage(Language language) {
  m_state.language = language;
  m_sidePanel->ShowSoloClearable(SoloAnywhere(m_state), language);
  for (int i = 0; i < 5; ++i) m_viewButtons[i]->setText(Tr(kViewCaptions[i]));
  for (int g = 0; g < 4; ++g) {
    m_groupLabels[g]->SetText(Tr(kGroupLabels[g]));
    m_groupButtons[g]->setText(Tr(kGroupKeyCaptions[g]));
  }
  m_home->setText(Tr(kHome));
  m_homeLabel->SetText(Tr(kHome));
  m_muteGroupLabel->SetText(Tr(kMuteGroups));
  m_controlGroupLabel->SetText(Tr(kControlGroups));
  m_menu->setText(Tr(kMenu));
  m_undo->setText(Tr(kUndo));
  m_redo->setText(Tr(kRedo));
  for (auto* s : m_inputs) s->ApplyLanguage(language);
  for (auto* s : m_outputs) s->ApplyLanguage(language);
  m_spareInput->ApplyLanguage(language);
  m_spareOutput->ApplyLanguage(language);
  m_registry.ApplyLanguage(language);
  m_sidePanel->ApplyLanguage(language);
  if (m_detail->isVisibleTo(m_canvas)) m_detail->ShowChoice(m_overview, OverviewFor(m_state, m_overview));
  OnLinkUi();
  UpdateReadout();
}

void CMainDlg::ToggleLanguage() {
  const Language next = m_state.language == Language::Chinese ? Language::English : Language::Chinese;
  ApplyLanguage(next);
  m_profile.Write(kProfileSection, kProfileLanguage, next == Language::Chinese ? "zh" : "en");
  emit LanguageChanged(next);
}

void CMainDlg::UpdateReadout() {
  if (!m_readout.Touched()) {
    // Nothing touched yet: the labels keep their start captions.
    m_nameLabel->SetText(Tr(kChannelOne));
    m_kindLabel->SetText(Tr(kMuteCaption));
    if (!m_valueBox->hasFocus()) m_valueBox->clear();
    return;
  }
  const ReadoutTexts t = m_readout.Texts(m_state);
  m_nameLabel->SetText(QString::fromStdString(t.name));
  m_kindLabel->SetText(QString::fromStdString(t.caption));
  // A report must not overwrite what the operator is typing.
  if (m_valueBox->hasFocus() && m_valueBox->isModified()) return;
  m_valueBox->setText(QString::fromStdString(t.value));
}

void CMainDlg::OnTouched(const ParamAddr& addr) {
  m_readout.Touch(addr);
  UpdateReadout();
  UpdateHistoryKeys();
}

void CMainDlg::CommitTypedValue(const QString& text) {
  const ChangeResult result = m_readout.Commit(m_session.Changes(), text.toStdString());
  const bool refused = result == ChangeResult::Refused || result == ChangeResult::Busy;
  ApplyEditStyle(m_valueBox, refused);
  const QString why = QString::fromStdString(m_readout.Why(m_state.language));
  m_valueBox->setToolTip(why);
  if (refused) {
    // The cue: a red frame, the reason (with the range) under the box, never over it, and the text
    // ready to be typed over.
    QToolTip::showText(m_valueBox->mapToGlobal(QPoint(0, m_valueBox->height())), why, m_valueBox);
    m_valueBox->selectAll();
    return;
  }
  QToolTip::hideText();
  m_valueBox->setModified(false);
  UpdateReadout();  // the stored (converted, clamped) value
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) PlaceSidePanel();
  if (watched == m_valueBox && event->type() == QEvent::FocusOut) {
    // Typed text that was not committed goes back to the stored value.
    m_valueBox->setModified(false);
    ApplyEditStyle(m_valueBox);
    UpdateReadout();
  }
  return QWidget::eventFilter(watched, event);
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
  CChangePath& changes = m_session.Changes();
  m_undo->setEnabled(changes.CanUndo());
  m_undo->SetUnavailable(!changes.CanUndo());
  m_redo->setEnabled(changes.CanRedo());
  m_redo->SetUnavailable(!changes.CanRedo());
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
  m_planProgress->setVisible(running && m_planProgress->geometry().width() > 0);
  if (!running) return;
  m_planProgress->setRange(0, progress.total);
  m_planProgress->setValue(progress.sent);
  m_planProgress->setFormat(CaptionText(kSendingPlan, m_state.language).arg(progress.sent).arg(progress.total));
}

void CMainDlg::PressControlKey(int n) {
  if (m_groupPage->SelectedControlGroup() != n - 1 || m_nav.View() != MainView::Groups) {
    PressView(ViewButton::Groups);
    if (m_groupPage->SelectedControlGroup() == n - 1) return;
  }
  m_groupPage->PressControlGroup(n - 1);
}

void CMainDlg::UpdateGroupKeys() {
  for (int n = 0; n < kGroups; ++n) {
    m_muteKeys[n]->SetChecked(MuteGroupApplied(m_state, n));
    m_controlKeys[n]->SetChecked(m_groupPage->SelectedControlGroup() == n);
  }
}

void CMainDlg::RefreshVisible(std::uint32_t bits) {
  for (CChannelStrip* s : VisibleStrips()) s->Refresh(bits);
  if (CTitledPage* p = VisiblePage()) p->Refresh(bits);
  if (m_detail->isVisibleTo(m_canvas) && (bits & (change::kNames | change::kGroups)))
    m_detail->ShowChoice(m_overview, OverviewFor(m_state, m_overview));
}

void CMainDlg::ReportsTaken() {
  m_tick.ThreadAwake();
  CFrameClock::Shared().WindowAwake();
}

void CMainDlg::UpdateMeters() {
  for (CChannelStrip* s : VisibleStrips()) s->UpdateMeter();
}

void CMainDlg::OnLinkUi() {
  m_lamp->SetLit(m_session.LampLit());
  m_statusText->SetText(Tr(m_session.StatusOnline() ? captions::kOnline : captions::kOffline));
  m_system->Refresh();
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
  m_sidePanel->ShowSoloClearable(SoloAnywhere(m_state), m_state.language);
  UpdateGroupKeys();
  UpdateReadout();
  UpdateHistoryKeys();
}

void CMainDlg::OnMessage(const Caption& text, const Caption& title, const std::string& detail) {
  // An empty title takes the window's caption.
  ShowNotice(this, QString::fromStdString(TextWithDetail(Text(text, m_state.language), detail)), Tr(title));
}

void CMainDlg::ShowMenu() {
  m_menu->SetChecked(true);
  const int chosen = CMenuEx::Exec({CMenuEx::Item::Command(QString::fromLatin1(kAboutItem), kAboutCommand)},
                                   m_menu->mapToGlobal(QPoint(0, m_menu->height())), this);
  m_menu->SetChecked(false);
  if (chosen == kAboutCommand) ShowAbout();
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
  const int chosen =
      CMenuEx::Exec({CMenuEx::Item::Command(QString::fromLatin1(kAboutItem), kAboutCommand)}, event->globalPos(), this);
  if (chosen == kAboutCommand) ShowAbout();
}

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
