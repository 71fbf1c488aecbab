#include "pages/ChannelStrip.h"

#include <QCursor>
#include <QPainter>

#include "core/TextCodec.h"
#include "link/ReportParser.h"
#include "pages/CaptionText.h"
#include "pages/NameDlg.h"
#include "pages/ShellButtons.h"
#include "ui/LevelGraph.h"
#include "ui/MenuEx.h"
#include "ui/SkinSlider.h"
#include "pages/ShellStyle.h"
#include "ui/UiMessages.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kMute{"MUTE", "静音"};
constexpr Caption kNameItem{"NAME", "名称"};
constexpr int kNameCommand = 1;
constexpr int kFaderWidth = 44;
constexpr int kMeterWidth = 14;
constexpr int kButtonMargin = 12;
}  // namespace

CChannelStrip::CChannelStrip(IShellSession& session, const StripKind& kind, QWidget* parent)
    : QWidget(parent), m_session(session), m_kind(kind), m_slot{kind.output, 0} {
  m_fader = new CSkinSlider(this, SLIDER_MOVING);
  m_fader->SetVertical(true);
  m_fader->SetRange(0, kLevelMax);
  m_fader->setObjectName(QStringLiteral("Fader"));
  m_fader->SetThumbBitmaps(QStringLiteral("fader_cap"), QStringLiteral("fader_cap_active"));
  m_fader->SetThumbMode(1);
  m_meter = new CLevelGraph(this);
  m_meter->SetColumnCount(1);
  m_meter->SetRange(0, 0.0, kLevelMax);
  // Zones on the 0..70 scale (60 = 0 dB): green below -18 dB, amber to 0 dB, red above.
  m_meter->SetThresholds(42.0 / 70.0, 60.0 / 70.0);
  m_meter->SetPlotMargins(0, 0);
  m_level = new CValueLabel(this);
  m_level->SetAlignment(1);
  m_mute = MakeShellButton({}, ButtonLook::Mute, this);
  m_mute->setObjectName(QStringLiteral("MuteButton"));
  m_name = MakeShellButton({}, ButtonLook::Key, this);
  m_name->setObjectName(QStringLiteral("NameButton"));
  m_name->SetCaptionSize(11);

  auto fader = BindFader(m_fader, session, Addr(kind.level), kFaderFromLevel);
  m_faderBinding = fader.get();
  AddBinding(std::move(fader));
  AddBinding(BindToggle(m_mute, session, Addr(kind.mute)));
  // The dB figure follows the fader while it moves, before the state's notice arrives.
  connect(m_fader, &CSkinSlider::SliderMoving, this, [this](int, int) { ShowLevel(); });
  connect(m_name, &QAbstractButton::clicked, this, &CChannelStrip::OnNameButton);
  ApplyLanguage(Language::English);
}

void CChannelStrip::AddBinding(std::unique_ptr<CParamBinding> binding) {
  m_bindings.Add(std::move(binding), [this](const ParamAddr& a) { emit Touched(a); });
}

void CChannelStrip::ShowForChannel(int record) {
  m_slot.record = record;
  m_bindings.SetRecord(record);
  Refresh();
  show();
}

void CChannelStrip::Refresh(std::uint32_t bits) {
  m_bindings.Refresh(bits);
  if (bits == change::kAll || (bits & (change::kNames | change::kFullState))) m_name->setText(NameText());
  ShowLevel();
  if (bits == change::kAll) m_shownMeter = -1;
  UpdateMeter();
}

void CChannelStrip::ShowSend(int sendIndex) {
  // Outputs have no sends: their faders stay on the level.
  if (m_kind.output || sendIndex == m_send) return;
  m_send = sendIndex;
  if (sendIndex < 0)
    m_faderBinding->SetValueOf(m_kind.level, 0);
  else
    m_faderBinding->SetValueOf(ParamId::InSend, sendIndex);
  ShowLevel();
}

void CChannelStrip::ShowLevel() {
  const int level = kLevelMax - m_fader->Pos();
  const QString db = QStringLiteral("%1 dB").arg(level - kLevelZeroDb);
  // In an AUX view the figure says whose level it is.
  m_level->SetText(m_send < 0 ? db : QStringLiteral("AUX%1 %2").arg(m_send).arg(db));
}

QString CChannelStrip::NameText() const {
  const ParamAddr name = Addr(m_kind.name);
  return QString::fromStdString(FormatParam(name, ReadParam(State(), name), State().language));
}

void CChannelStrip::UpdateMeter() {
  const int meter = MeterForDisplay(m_kind.meter(State(), m_slot.record));
  if (meter == m_shownMeter) return;
  m_shownMeter = meter;
  m_meter->SetValue(0, meter);
}

void CChannelStrip::ApplyLanguage(Language language) { m_mute->setText(CaptionText(kMute, language)); }

void CChannelStrip::OnNameButton() {
  QList<CMenuEx::Item> items{CMenuEx::Item::Command(CaptionText(kNameItem, State().language), kNameCommand)};
  items += MoreMenuItems();
  const int chosen = CMenuEx::Exec(items, QCursor::pos(), this);
  if (chosen != kNameCommand) {
    if (chosen != 0) OnMenuCommand(chosen);
    return;
  }
  CNameDlg dlg(NameText(), Addr(m_kind.name), State().language, this);
  if (dlg.exec() != QDialog::Accepted) return;
  RenameTo(dlg.Name());
}

void CChannelStrip::RenameTo(const QString& name) {
  const ParamAddr addr = Addr(m_kind.name);
  if (m_session.Changes().Set(addr, {0, Utf8ToGbk(name.toStdString())}) != ChangeResult::Applied) return;
  m_name->setText(NameText());
  emit Touched(addr);
}

void CChannelStrip::CentreWidget(QWidget* w, int width, int top, int height) {
  w->setGeometry((this->width() - width) / 2, top, width, height);
}

void CChannelStrip::resizeEvent(QResizeEvent*) {
  m_fit = FitStripLayout(m_kind.layout, height());
  const StripLayout& at = m_fit;
  const int buttonWidth = width() - 2 * kButtonMargin;
  m_level->setGeometry(0, at.levelTop, width(), 20);
  // Fader and meter are centred as a pair, the meter 1 pixel right of the fader.
  const int pairLeft = (width() - kFaderWidth - 1 - kMeterWidth) / 2;
  m_fader->setGeometry(pairLeft, at.faderTop, kFaderWidth, at.faderHeight);
  m_meter->setGeometry(pairLeft + kFaderWidth + 1, at.faderTop + 10, kMeterWidth, at.faderHeight - 20);
  CentreWidget(m_mute, buttonWidth, at.muteTop, at.muteHeight);
  CentreWidget(m_name, buttonWidth, at.nameTop, at.nameHeight);
}

void CChannelStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintPanel(p, rect());
}

}  // namespace orvx
