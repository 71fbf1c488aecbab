#include "pages/AutoMixerPage.h"

#include <QPainter>

#include "pages/CaptionText.h"
#include "pages/PageMessages.h"
#include "pages/ShellButtons.h"
#include "session/AutoMixerRules.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinTheme.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"AUTOMATIC MIXER", "自动混音"};
constexpr Caption kSync{"SYNC CH THRESHOLD", "同步阀值"};
constexpr Caption kHoldTimeCaption{"HOLD TIME", "保持时间"};
constexpr Caption kMaxOpenCaption{"MAX OPEN CH", "最大话筒数"};
constexpr Caption kNomCaption{"NOM", "NOM"};
constexpr Caption kAttn{"CLOSED CH, ATTN", "关咪衰减"};
constexpr Caption kLastHoldCaption{"LAST HOLD", "最后保持"};
constexpr const char* kSetSuccessfully = "Set successfully.";

// List identifiers carried by the lists' notifications.
constexpr int kThresholdListId = 1;  // + record
constexpr int kHoldTimeListId = 20;
constexpr int kMaxOpenListId = 21;
constexpr int kNomListId = 22;
constexpr int kAttnListId = 23;

// Client positions below the title bar.
constexpr int kTop = CTitledPage::kTitleHeight;
constexpr QRect kUpperFrame{5, kTop + 20, 800, 160};
constexpr QRect kLowerFrame{5, kTop + 180, 800, 130};
constexpr int kChannelX[4] = {50, 220, 390, 560};

/// A threshold list: the choice goes through the linked-threshold rule; refresh is silent.
class CThresholdBinding final : public CParamBinding {
public:
  CThresholdBinding(CSkinComboBox* list, IShellSession& session, int record)
      : CParamBinding(session, {ParamId::InThreshold, record, 0}, list), m_list(list) {
    QObject::connect(list, &CSkinComboBox::DropdownSelected, this, [this](int, int row) {
      const ChangeResult r = ChangeThreshold(m_session.Changes(), m_session.State(), Addr().record, row);
      Tell();
      if (r == ChangeResult::Refused || r == ChangeResult::Busy) Refresh();
    });
  }
  void Refresh() override {
    if (!m_list->IsDropListShown()) m_list->SetCurSel(Raw());
  }

private:
  CSkinComboBox* m_list;
};

CValueLabel* MakeLabel(QWidget* parent, const QRect& place) {
  auto* l = new CValueLabel(parent);
  l->SetFontSize(10);
  l->setGeometry(place);
  return l;
}

}  // namespace

CAutoMixerPage::CAutoMixerPage(IShellSession& session, QWidget* parent)
    : CTitledPage(kTitle, parent), m_session(session) {
  m_syncLabel = MakeLabel(this, {10, kTop + 30, 250, 25});
  m_sync = MakeShellButton({}, ButtonLook::Toggle, this);
  m_sync->setObjectName(QStringLiteral("SyncToggle"));
  m_sync->setGeometry(280, kTop + 30, 100, 25);
  Bindings().Add(BindToggle(m_sync, session, {ParamId::AutoSync, 0, 0}));

  for (int r = 0; r < kAutomixInputs; ++r) {
    const int x = kChannelX[r % 4];
    const int y = kTop + (r < 4 ? 100 : 140);
    // The channel's own name, as its strip shows it: a label beside its list, not a key.
    auto* caption = new CValueLabel(this);
    caption->setObjectName(QStringLiteral("ChannelName%1").arg(r + 1));
    caption->SetAlignment(1);
    caption->SetFontSize(9);
    caption->setGeometry(x - 10, y, 60, 25);
    m_channelCaptions[r] = caption;
    auto* list = new CSkinComboBox(this);
    list->CreateDropList(kThresholdListId + r);
    list->setObjectName(QStringLiteral("Threshold%1").arg(r + 1));
    list->setGeometry(x + 60, y, 100, 25);
    const ParamAddr addr{ParamId::InThreshold, r, 0};
    for (std::int32_t raw = Param(addr.id).rawMin; raw <= Param(addr.id).rawMax; ++raw)
      list->AddString(QString::fromStdString(FormatParam(addr, {raw, {}}, Language::English)));
    m_thresholds[r] = list;
    Bindings().Add(std::make_unique<CThresholdBinding>(list, session, r));
  }

  m_holdTimeLabel = MakeLabel(this, {50, kTop + 195, 120, 25});
  m_holdTime = MakeList(kHoldTimeListId, ParamId::AutoHoldTime, 0, {180, kTop + 200, 100, 25});
  m_maxOpenLabel = MakeLabel(this, {290, kTop + 195, 200, 25});
  m_maxOpen = MakeList(kMaxOpenListId, ParamId::AutoMaxOpen, 0, {500, kTop + 200, 100, 25});
  m_nomLabel = MakeLabel(this, {50, kTop + 225, 120, 25});
  m_nom = MakeList(kNomListId, ParamId::AutoNom, 0, {180, kTop + 230, 100, 25});
  m_attnLabel = MakeLabel(this, {290, kTop + 225, 200, 25});
  m_attn = MakeList(kAttnListId, ParamId::AutoAttn, 0, {500, kTop + 230, 100, 25});

  m_lastHoldLabel = MakeLabel(this, {10, kTop + 270, 150, 25});
  m_lastHold = MakeShellButton({}, ButtonLook::Toggle, this);
  m_lastHold->setObjectName(QStringLiteral("LastHoldToggle"));
  m_lastHold->setGeometry(180, kTop + 270, 100, 25);
  Bindings().Add(BindToggle(m_lastHold, session, {ParamId::AutoLastHold, 0, 0}));
  for (PngButton* toggle : {m_sync, m_lastHold})
    connect(toggle, &QAbstractButton::clicked, this, &CAutoMixerPage::ShowToggleCaptions);

  ApplyLanguage(Language::English);
}

CSkinComboBox* CAutoMixerPage::MakeList(int id, ParamId param, int record, const QRect& place) {
  auto* list = new CSkinComboBox(this);
  list->CreateDropList(id);
  list->setGeometry(place);
  const ParamAddr addr{param, record, 0};
  for (std::int32_t raw = Param(param).rawMin; raw <= Param(param).rawMax; ++raw)
    list->AddString(QString::fromStdString(FormatParam(addr, {raw, {}}, Language::English)));
  Bindings().Add(BindList(list, m_session, addr));
  // After the binding stored the choice (connected first, so told first).
  connect(list, &CSkinComboBox::DropdownSelected, this, [this, addr](int, int row) { ConfirmSet(addr, row); });
  return list;
}

void CAutoMixerPage::ConfirmSet(const ParamAddr& addr, int row) {
  // The binding has just offered the choice to the change path. A refusal (a running plan) says
  // why, also when the value already stood there; only a value that is stored is confirmed.
  if (const Caption* why = m_session.Changes().LastRefusal()) {
    ShowNotice(this, CaptionText(*why, m_session.State().language), {}, QMessageBox::Warning);
    return;
  }
  if (ReadParam(m_session.State(), addr).raw == Param(addr.id).rawMin + row)
    ShowNotice(this, QString::fromLatin1(kSetSuccessfully), {}, QMessageBox::NoIcon);
}

void CAutoMixerPage::ApplyLanguage(Language language) {
  CTitledPage::ApplyLanguage(language);
  m_syncLabel->SetText(CaptionText(kSync, language));
  m_holdTimeLabel->SetText(CaptionText(kHoldTimeCaption, language));
  m_maxOpenLabel->SetText(CaptionText(kMaxOpenCaption, language));
  m_nomLabel->SetText(CaptionText(kNomCaption, language));
  m_attnLabel->SetText(CaptionText(kAttn, language));
  m_lastHoldLabel->SetText(CaptionText(kLastHoldCaption, language));
  ShowToggleCaptions();
}

void CAutoMixerPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  ShowToggleCaptions();
  if (bits != change::kAll && !(bits & (change::kNames | change::kFullState))) return;
  const CDeviceState& s = m_session.State();
  for (int r = 0; r < kAutomixInputs; ++r) {
    const ParamAddr name{ParamId::InName, r, 0};
    m_channelCaptions[r]->SetText(QString::fromStdString(FormatParam(name, ReadParam(s, name), s.language)));
  }
}

void CAutoMixerPage::ShowToggleCaptions() {
  // The toggles read "ON" or "OFF" in both languages.
  const CDeviceState& s = m_session.State();
  m_sync->setText(s.sync != 0 ? QStringLiteral("ON") : QStringLiteral("OFF"));
  m_lastHold->setText(s.automix[kLastHold] != 0 ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void CAutoMixerPage::paintEvent(QPaintEvent* event) {
  CTitledPage::paintEvent(event);
  QPainter p(this);
  p.setPen(QPen(SkinTheme::Current().Color("panel.edge"), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(kUpperFrame);
  p.drawRect(kLowerFrame);
}

}  // namespace orvx
