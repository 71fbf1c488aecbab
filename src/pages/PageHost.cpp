#include "pages/PageHost.h"

#include <QEvent>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "pages/AutoMixerPage.h"
#include "pages/ChannelSendsPage.h"
#include "pages/GroupPage.h"
#include "pages/InputStrip.h"
#include "pages/MatrixPage.h"
#include "pages/MixerDetailPanel.h"
#include "pages/MixerSidePanel.h"
#include "pages/OutputStrip.h"
#include "pages/DynamicsPage.h"
#include "pages/EffectPage.h"
#include "pages/GeqPage.h"
#include "pages/LimiterPage.h"
#include "pages/PeqPage.h"
#include "pages/PhantomPage.h"
#include "pages/SystemPage.h"
#include "pages/TitledPage.h"
#include "session/ClearActions.h"
#include "session/MainLayout.h"
#include "session/MixerOverview.h"
#include "session/ShellSession.h"

namespace orvx {
namespace {

/// The body's first strip row sits this far under the header's edge.
constexpr int kBodyTop = 0;

constexpr Caption kPageTitles[6] = {
    {"", ""},           {"DEVICE SETTING", "设备设置"}, {"MATRIX", "矩阵"}, {"AUTOMATIC MIXER", "自动混音"},
    {"GROUPS", "分组"}, {"PHANTOM POWER", "幻象电源"},
};
constexpr Caption kInputEditorTitles[5] = {
    {"", ""},
    {"COMPRESSOR / NOISE GATE", "压缩器 / 噪声门"},
    {"PARAMETRIC EQ", "参量均衡"},
    {"DELAY / REVERB", "延时 / 混响"},
    {"CHANNEL SENDS", "通道发送"},
};
constexpr Caption kOutputEditorTitles[3] = {{"", ""}, {"LIMITER", "限幅器"}, {"GRAPHIC EQ", "图示均衡"}};

/// Strips, pages and panels live in the scrolled body, which starts under the header.
void PlaceInBody(QWidget* w, const LayoutRect& r) {
  w->setGeometry(r.x, r.y - CMainLayout::kStripTop + kBodyTop, r.w, r.h);
}

}  // namespace

CPageHost::CPageHost(IShellSession& session, IProfileStore& profile, const CNavigation& nav, QScrollArea* scroll,
                     QWidget* canvas)
    : QObject(canvas), m_session(session), m_state(session.State()), m_nav(nav), m_scroll(scroll), m_canvas(canvas) {
  CreateStrips();
  CreatePages(profile);
}

void CPageHost::CreateStrips() {
  auto wire = [this](CChannelStrip* s) {
    s->hide();
    connect(s, &CChannelStrip::Touched, this, &CPageHost::Touched);
  };
  auto wireInput = [this, &wire](CInputStrip* s) {
    wire(s);
    connect(s, &CInputStrip::EditorRequested, this, &CPageHost::InputEditorRequested);
    connect(s, &CInputStrip::PhantomRequested, this, &CPageHost::PhantomRequested);
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
    connect(m_outputs[r], &COutputStrip::OpenEditor, this, &CPageHost::OutputEditorRequested);
  }
  m_spareInput = new CInputStrip(m_session, m_canvas);
  m_spareInput->setObjectName(QStringLiteral("SpareInputStrip"));
  wireInput(m_spareInput);
  m_spareOutput = new COutputStrip(m_session, m_canvas);
  m_spareOutput->setObjectName(QStringLiteral("SpareOutputStrip"));
  wire(m_spareOutput);
  connect(m_spareOutput, &COutputStrip::OpenEditor, this, &CPageHost::OutputEditorRequested);
}

void CPageHost::CreatePages(IProfileStore& profile) {
  m_system = new CSystemPage(m_session, profile, m_canvas);
  m_registry.Add(PageKey::Of(MainView::System), m_system);
  m_system->SetUpdateRunningQuery([this] { return m_nav.UpdateRunning(); });
  m_matrix = new CMatrixPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Matrix), m_matrix);
  // The side panel stays put over the scrolled canvas, at the right of the visible area.
  m_sidePanel = new CMixerSidePanel(m_scroll->viewport());
  m_scroll->viewport()->installEventFilter(this);
  m_detail = new CMixerDetailPanel(m_state, m_canvas);
  m_detail->hide();
  auto* phantom = new CPhantomPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Phantom), phantom);
  auto* sends = new CChannelSendsPage(m_session, m_canvas);
  m_registry.Add(PageKey::InputEditor(CInputStrip::kSendsEditor), sends);
  m_registry.Add(PageKey::InputEditor(CInputStrip::kPeqEditor), new CPeqPage(m_session, m_canvas));
  m_registry.Add(PageKey::InputEditor(CInputStrip::kCompEditor), new CDynamicsPage(m_session, m_canvas));
  m_registry.Add(PageKey::OutputEditor(COutputStrip::kLimiterEditor), new CLimiterPage(m_session, m_canvas));
  m_registry.Add(PageKey::OutputEditor(COutputStrip::kGeqEditor), new CGeqPage(m_session, m_canvas));
  m_registry.Add(PageKey::InputEditor(CInputStrip::kEffectEditor), new CEffectPage(m_session, m_canvas));
  m_autoMixer = new CAutoMixerPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Mode), m_autoMixer);
  m_groupPage = new CGroupPage(m_session, m_canvas);
  m_registry.Add(PageKey::Of(MainView::Groups), m_groupPage);
  // Pages still to come show their title only.
  for (int v = 2; v <= 5; ++v)
    if (!m_registry.Find(PageKey::Of(static_cast<MainView>(v))))
      m_registry.Add(PageKey::Of(static_cast<MainView>(v)), new CTitledPage(kPageTitles[v], m_canvas));
  for (int k = 1; k <= 4; ++k)
    if (!m_registry.Find(PageKey::InputEditor(k)))
      m_registry.Add(PageKey::InputEditor(k), new CTitledPage(kInputEditorTitles[k], m_canvas));
  for (int k = 1; k <= 2; ++k)
    if (!m_registry.Find(PageKey::OutputEditor(k)))
      m_registry.Add(PageKey::OutputEditor(k), new CTitledPage(kOutputEditorTitles[k], m_canvas));
  m_registry.ForEach([this](CTitledPage* p) {
    connect(p, &CTitledPage::Touched, this, &CPageHost::Touched);
    p->setObjectName(p->Title());
    p->hide();
  });
}

bool CPageHost::SetStripSize(int width, int height) {
  if (width == m_w && height == m_stripHeight && m_laidOut) return false;
  m_w = width;
  m_stripHeight = height;
  m_laidOut = true;
  return true;
}

void CPageHost::HideAll() {
  for (auto* s : m_inputs) s->hide();
  for (auto* s : m_outputs) s->hide();
  m_spareInput->hide();
  m_spareOutput->hide();
  m_detail->hide();
  m_registry.HideAll();
}

void CPageHost::Show(int group, MainView view) {
  const auto fitBody = qScopeGuard([this] { FitBody(); });  // whichever way the view is shown
  HideAll();
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

void CPageHost::ShowChannelView() {
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

void CPageHost::ShowOverviewStrips() {
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

void CPageHost::PlaceSidePanel() {
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

void CPageHost::LeaveOverview() {
  m_overview.mode = OverviewMode::None;
  m_overview.group = 0;
  m_sidePanel->Reset();
}

void CPageHost::ScrollToStart() {
  m_scroll->horizontalScrollBar()->setValue(0);
  m_scroll->verticalScrollBar()->setValue(0);
}

void CPageHost::FitBody() {
  // The body is as large as what it shows (the strips of the view, a page), never smaller than the
  // viewport: it scrolls only when the window is narrower or shorter than that.
  const QRect shown = m_canvas->childrenRect();
  const QSize area = m_scroll->maximumViewportSize();
  m_canvas->resize(std::max(area.width(), shown.right() + 1), std::max(area.height(), shown.bottom() + 1 + kBodyTop));
}

std::vector<CChannelStrip*> CPageHost::VisibleStrips() const {
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

CTitledPage* CPageHost::VisiblePage() const { return m_registry.Visible(m_canvas); }

void CPageHost::Refresh(std::uint32_t bits) {
  for (CChannelStrip* s : VisibleStrips()) s->Refresh(bits);
  if (CTitledPage* p = VisiblePage()) p->Refresh(bits);
  if (m_detail->isVisibleTo(m_canvas) && (bits & (change::kNames | change::kGroups)))
    m_detail->ShowChoice(m_overview, OverviewFor(m_state, m_overview));
}

void CPageHost::UpdateMeters() {
  for (CChannelStrip* s : VisibleStrips()) s->UpdateMeter();
  if (CTitledPage* page = m_registry.Visible(m_canvas)) page->UpdateMeters();
}

void CPageHost::ShowSoloClearable() { m_sidePanel->ShowSoloClearable(SoloAnywhere(m_state), m_state.language); }

void CPageHost::ApplyLanguage(Language language) {
  for (auto* s : m_inputs) s->ApplyLanguage(language);
  for (auto* s : m_outputs) s->ApplyLanguage(language);
  m_spareInput->ApplyLanguage(language);
  m_spareOutput->ApplyLanguage(language);
  m_registry.ApplyLanguage(language);
  m_sidePanel->ApplyLanguage(language);
  if (m_detail->isVisibleTo(m_canvas)) m_detail->ShowChoice(m_overview, OverviewFor(m_state, m_overview));
}

bool CPageHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) PlaceSidePanel();
  return QObject::eventFilter(watched, event);
}

}  // namespace orvx
