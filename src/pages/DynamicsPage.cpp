#include "pages/DynamicsPage.h"

#include <QPainter>

#include "pages/PresetDropDown.h"
#include "ui/PngButton.h"
#include "ui/SkinTheme.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kTitle{"COMPRESSOR / NOISE GATE", "压缩器 / 噪声门"};
constexpr Caption kGate{"NOISE GATE", "噪声门"};
constexpr Caption kReset{"RESET", "复位"};
constexpr Caption kThreshold{"Threshold", "阈值"};
constexpr Caption kAttack{"Attack", "启动时间"};
constexpr Caption kRelease{"Release", "释放时间"};
constexpr CCompressorEditor::Values kCompressor{ParamId::InCompOn,   ParamId::InCompThreshold, ParamId::InCompRatio,
                                                ParamId::InCompGain, ParamId::InCompAttack,    ParamId::InCompRelease};

}  // namespace

CDynamicsPage::CDynamicsPage(IShellSession& session, QWidget* parent)
    : CCompressorEditor(session, kTitle, kCompressor, PresetKind::Compressor, CompressorReset, parent) {
  m_gateOn = AddToggle({ParamId::InGateOn, 0, 0}, kGate);
  m_gateReset = AddKey(kReset, QStringLiteral("GateReset"), [this] { Run(GateReset(Record())); });
  m_gatePresets = AddPresets(PresetKind::Noise);
  m_firstGateKnob = Knobs().size();
  AddKnob({ParamId::InGateThreshold, 0, 0}, kThreshold);
  AddKnob({ParamId::InGateAttack, 0, 0}, kAttack);
  AddKnob({ParamId::InGateRelease, 0, 0}, kRelease);
  ApplyLanguage(Language::English);
}

int CDynamicsPage::MeterLevel() const { return m_session.State().in[Record()].meter; }

void CDynamicsPage::resizeEvent(QResizeEvent* event) {
  CCompressorEditor::resizeEvent(event);
  const int top = kTitleHeight + 10;
  const int gateW = std::clamp(width() / 4, 200, 320);
  m_gateFrame = QRect(8, top, gateW, height() - top - 8);
  m_compFrame = QRect(gateW + 16, top, width() - gateW - 24, height() - top - 8);
  const QRect g = m_gateFrame.adjusted(8, 8, -8, -8);
  const int keyH = 30;
  m_gateOn->setGeometry(g.x(), g.y(), g.width() / 2 - 4, keyH);
  m_gateReset->setGeometry(g.x() + g.width() / 2 + 4, g.y(), g.width() / 2 - 4, keyH);
  m_gatePresets->setGeometry(g.x(), g.y() + keyH + 8, g.width(), keyH);
  const int knobTop = g.y() + 2 * keyH + 20;
  const int knobH = (g.bottom() - knobTop) / 3;
  for (std::size_t k = 0; k < 3; ++k)
    PlaceKnob(Cell(m_firstGateKnob + k), {g.x(), knobTop + static_cast<int>(k) * knobH, g.width(), knobH - 4});
  PlaceCompressor(m_compFrame.adjusted(8, 8, -8, -8));
}

void CDynamicsPage::paintEvent(QPaintEvent* event) {
  CCompressorEditor::paintEvent(event);
  QPainter p(this);
  p.setPen(QPen(SkinTheme::Current().Color("panel.edge"), 1));
  p.drawRect(m_gateFrame);
  p.drawRect(m_compFrame);
}

}  // namespace orvx
