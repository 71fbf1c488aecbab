#include "pages/ChannelStrip.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>

#include "pages/CaptionText.h"
#include "pages/NameDlg.h"
#include "pages/ShellButtons.h"
#include "session/StripController.h"
#include "ui/LevelGraph.h"
#include "ui/SkinSlider.h"
#include "ui/SkinTheme.h"
#include "ui/UiMessages.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kMute{"MUTE", "静音"};
constexpr int kFaderWidth = 44;
constexpr int kMeterWidth = 14;
constexpr int kButtonMargin = 12;
}  // namespace

CChannelStrip::CChannelStrip(CStripController& controller, bool output, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_slot{output, 0} {
  m_fader = new CSkinSlider(this, SLIDER_MOVING);
  m_fader->SetVertical(true);
  m_fader->SetRange(0, CStripController::kFaderMax);
  m_fader->setObjectName(QStringLiteral("Fader"));
  m_fader->SetThumbBitmaps(QStringLiteral("fader_cap"), QStringLiteral("fader_cap_active"));
  m_fader->SetThumbMode(1);
  m_meter = new CLevelGraph(this);
  m_meter->SetColumnCount(1);
  m_meter->SetRange(0, 0.0, CStripController::kFaderMax);
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

  connect(m_fader, &CSkinSlider::SliderMoving, this, [this](int, int pos) { OnFader(pos); });
  connect(m_fader, &CSkinSlider::SliderReleased, this, [this](int, int pos) { OnFader(pos); });
  connect(m_mute, &QAbstractButton::clicked, this, &CChannelStrip::OnMute);
  connect(m_name, &QAbstractButton::clicked, this, &CChannelStrip::OnNameButton);
  ApplyLanguage(Language::English);
}

void CChannelStrip::ShowForChannel(int record) {
  m_slot.record = record;
  Refresh();
  show();
}

void CChannelStrip::Refresh() {
  m_name->setText(QString::fromStdString(m_controller.NameText(m_slot)));
  m_mute->SetChecked(m_controller.Muted(m_slot));
  m_fader->SetPos(m_controller.FaderPosition(m_slot));
  m_level->SetText(QStringLiteral("%1 dB").arg(CStripController::kFaderMax - m_fader->Pos() - kLevelZeroDb));
  m_shownMeter = -1;
  UpdateMeter();
}

void CChannelStrip::UpdateMeter() {
  const int meter = m_controller.MeterOf(m_slot);
  if (meter == m_shownMeter) return;
  m_shownMeter = meter;
  m_meter->SetValue(0, meter);
}

void CChannelStrip::ApplyLanguage(Language language) { m_mute->setText(CaptionText(kMute, language)); }

void CChannelStrip::OnFader(int position) {
  const bool readout = m_controller.FaderMoved(m_slot, position);
  m_level->SetText(QStringLiteral("%1 dB").arg(CStripController::kFaderMax - position - kLevelZeroDb));
  if (readout) emit ReadoutChanged();
}

void CChannelStrip::OnMute() {
  const bool readout = m_controller.MutePressed(m_slot);
  m_mute->SetChecked(m_controller.Muted(m_slot));
  if (readout) emit ReadoutChanged();
}

void CChannelStrip::OnNameButton() {
  QMenu menu(this);
  QAction* rename = menu.addAction(QStringLiteral("NAME"));
  if (menu.exec(QCursor::pos()) != rename) return;
  CNameDlg dlg(QString::fromStdString(m_controller.NameText(m_slot)), this);
  if (dlg.exec() != QDialog::Accepted) return;
  RenameTo(dlg.Name());
}

void CChannelStrip::RenameTo(const QString& name) {
  if (m_controller.SetName(m_slot, name.toStdString()) != NameResult::Stored) return;
  m_name->setText(QString::fromStdString(m_controller.NameText(m_slot)));
  emit ReadoutChanged();
}

void CChannelStrip::CentreWidget(QWidget* w, int width, int top, int height) {
  w->setGeometry((this->width() - width) / 2, top, width, height);
}

void CChannelStrip::resizeEvent(QResizeEvent*) {
  const int buttonWidth = width() - 2 * kButtonMargin;
  m_level->setGeometry(0, kFaderTop - 22, width(), 20);
  // Fader and meter are centred as a pair, the meter 1 pixel right of the fader.
  const int pairLeft = (width() - kFaderWidth - 1 - kMeterWidth) / 2;
  m_fader->setGeometry(pairLeft, kFaderTop, kFaderWidth, kFaderHeight);
  m_meter->setGeometry(pairLeft + kFaderWidth + 1, kFaderTop + 10, kMeterWidth, kFaderHeight - 20);
  CentreWidget(m_mute, buttonWidth, kMuteTop, 40);
  CentreWidget(m_name, buttonWidth, kNameTop, kNameHeight);
}

void CChannelStrip::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(theme.Color("panel.edge"), 1));
  p.setBrush(theme.Color("panel.bg"));
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

}  // namespace orvx
