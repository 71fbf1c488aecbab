#include "pages/OutputStrip.h"

#include "core/TextCodec.h"
#include "dsp/GeqResponse.h"
#include "pages/CaptionText.h"
#include "pages/EqMiniature.h"
#include "pages/ShellButtons.h"
#include "ui/SkinComboBox.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kLimiter{"COMP", "限幅器"};
constexpr Caption kFbk{"FBK", "FBK"};
constexpr int kDelayListId = 1;

constexpr int kCurvePoints = 96;
constexpr int kEqTop = 50;
constexpr int kEqHeight = 60;
constexpr int kDelayTop = 115;
constexpr int kLimiterTop = 145;
constexpr int kLineTop = 175;
constexpr int kLabelTop = 200;
constexpr int kFaderTop = 230;
constexpr int kFaderHeight = 220;
constexpr int kMuteTop = 520;
constexpr int kFbkTop = 550;
constexpr int kNameTop = 580;
constexpr int kKeyHeight = 26;

/// The output strip's kind: the fader right under the output label, FBK between MUTE and name.
constexpr StripKind kOutputStripKind{
    true,
    ParamId::OutLevel,
    ParamId::OutMute,
    ParamId::OutName,
    [](const CDeviceState& s, int record) { return s.out[record].meter; },
    {kFaderTop + kFaderHeight + 4, kFaderTop, kFaderHeight, kMuteTop, kFbkTop - kMuteTop - 2, kNameTop}};

ParamAddr At(ParamId id) { return {id, 0, 0}; }
}  // namespace

COutputStrip::COutputStrip(IShellSession& session, QWidget* parent) : CChannelStrip(session, kOutputStripKind, parent) {
  m_eq = new CEqMiniature(this);
  m_eq->setObjectName(QStringLiteral("EqMiniature"));
  m_delay = new CSkinComboBox(this);
  m_delay->setObjectName(QStringLiteral("DelayList"));
  m_delay->CreateDropList(kDelayListId);
  m_limiter = MakeShellButton({}, ButtonLook::Toggle, this);
  m_limiter->setObjectName(QStringLiteral("LimiterButton"));
  m_line = MakeShellButton({}, ButtonLook::Toggle, this);
  m_line->setObjectName(QStringLiteral("LineButton"));
  m_label = new CValueLabel(this);
  m_label->SetAlignment(1);
  m_label->setObjectName(QStringLiteral("OutputLabel"));
  m_fbk = MakeShellButton({}, ButtonLook::Toggle, this);
  m_fbk->setObjectName(QStringLiteral("FbkButton"));

  FillDelayList();
  AddBinding(BindList(m_delay, session, At(ParamId::OutDelay)));
  AddBinding(BindToggle(m_line, session, At(ParamId::OutLine)));
  AddBinding(BindToggle(m_fbk, session, At(ParamId::OutFbk)));
  // The caption names the level the output now has; the binding has stored it already.
  connect(m_line, &QAbstractButton::clicked, this, &COutputStrip::ShowLineCaption);
  connect(m_limiter, &QAbstractButton::clicked, this, [this] {
    m_limiter->SetChecked(State().out[Slot().record].limiter[0] != 0);  // lit shows the limiter, not the click
    emit OpenEditor(Slot().record, kLimiterEditor);
  });
  connect(m_eq, &CEqMiniature::Clicked, this, [this] { emit OpenEditor(Slot().record, kGeqEditor); });
  ApplyLanguage(Language::English);
}

void COutputStrip::FillDelayList() {
  const ParamAddr delay = At(ParamId::OutDelay);
  m_delay->ResetContent();
  for (int raw = 0; raw <= Param(ParamId::OutDelay).rawMax; ++raw)
    m_delay->AddString(QString::fromStdString(FormatParam(delay, {raw, {}}, m_language)));
}

void COutputStrip::Refresh(std::uint32_t bits) {
  CChannelStrip::Refresh(bits);
  const OutputChannel& out = State().out[Slot().record];
  if (bits & (change::kEq | change::kFullState)) UpdateCurve();
  if (bits & (change::kDynamics | change::kFullState)) m_limiter->SetChecked(out.limiter[0] != 0);
  if (bits & (change::kLineLevels | change::kFullState)) ShowLineCaption();
  if (bits & (change::kNames | change::kFullState)) m_label->SetText(LabelText());
}

void COutputStrip::UpdateCurve() {
  const OutputChannel& out = State().out[Slot().record];
  std::array<double, kGeqBandCount> gains{};
  for (int b = 0; b < kGeqBandCount; ++b) gains[b] = GeqGainDb(out.geq[b].gain);
  m_eq->SetCurve(GeqCurveHz(kCurvePoints), GeqCurve(gains, kCurvePoints));
  m_eq->SetDimmed(out.geqOn == 0);
}

QString COutputStrip::LabelText() const {
  return QString::fromStdString(GbkToUtf8(NameBytes(State().out[Slot().record].shortName)));
}

void COutputStrip::ShowLineCaption() {
  const ParamAddr line{ParamId::OutLine, Slot().record, 0};
  m_line->setText(QString::fromStdString(FormatParam(line, ReadParam(State(), line), m_language)));
}

void COutputStrip::ApplyLanguage(Language language) {
  m_language = language;
  CChannelStrip::ApplyLanguage(language);
  if (!m_delay) return;  // the base applies its part before this strip's widgets exist
  m_limiter->setText(CaptionText(kLimiter, language));
  m_fbk->setText(CaptionText(kFbk, language));
  // The list is rebuilt in the language's own texts and shows the stored delay again.
  FillDelayList();
  Refresh(change::kOutputSettings | change::kLineLevels);
}

void COutputStrip::resizeEvent(QResizeEvent* event) {
  CChannelStrip::resizeEvent(event);
  const int keyWidth = width() - 24;
  m_eq->setGeometry(4, kEqTop, width() - 8, kEqHeight);
  CentreWidget(m_delay, keyWidth, kDelayTop, 24);
  CentreWidget(m_limiter, keyWidth, kLimiterTop, kKeyHeight);
  CentreWidget(m_line, keyWidth, kLineTop, kKeyHeight - 4);
  m_label->setGeometry(0, kLabelTop, width(), 24);
  // FBK rides between MUTE and the name, wherever a short strip has moved them.
  CentreWidget(m_fbk, keyWidth, kFbkTop - (kMuteTop - FittedLayout().muteTop), kKeyHeight);
}

}  // namespace orvx
