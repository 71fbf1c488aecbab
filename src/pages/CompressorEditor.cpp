#include "pages/CompressorEditor.h"

#include "dsp/DynamicsCurve.h"
#include "pages/GraphView.h"
#include "pages/PresetDropDown.h"
#include "ui/LevelGraph.h"
#include "ui/PngButton.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kComp{"COMP", "压缩"};
constexpr Caption kReset{"RESET", "复位"};
constexpr Caption kThreshold{"Threshold", "阈值"};
constexpr Caption kRatio{"Ratio", "压缩比"};
constexpr Caption kGain{"Gain", "增益"};
constexpr Caption kAttack{"Attack", "启动时间"};
constexpr Caption kRelease{"Release", "释放时间"};
constexpr double kFloorDb = -60;

}  // namespace

CCompressorEditor::CCompressorEditor(IShellSession& session, const Caption& title, const Values& values,
                                     PresetKind presets, DspAction (*reset)(int record), QWidget* parent)
    : CDspEditorPage(session, title, parent), m_values(values) {
  m_on = AddToggle({values.on, 0, 0}, kComp);
  m_reset = AddKey(kReset, QStringLiteral("CompReset"), [this, reset] { Run(reset(Record())); });
  m_presetList = AddPresets(presets);
  m_firstKnob = Knobs().size();
  AddKnob({values.threshold, 0, 0}, kThreshold);
  AddKnob({values.ratio, 0, 0}, kRatio);
  AddKnob({values.gain, 0, 0}, kGain);
  AddKnob({values.attack, 0, 0}, kAttack);
  AddKnob({values.release, 0, 0}, kRelease);

  m_transfer = new CGraphView(this);
  m_transfer->setObjectName(QStringLiteral("Transfer"));
  m_transfer->SetAxes({kFloorDb, 0, false}, {kFloorDb, 0, false});
  std::vector<CGraphView::Label> x, y;
  for (int db = -60; db <= 0; db += 10) {
    x.push_back({double(db), QString::number(db)});
    y.push_back({double(db), QStringLiteral("%1 (dB)").arg(db)});
  }
  m_transfer->SetXLabels(std::move(x));
  m_transfer->SetYLabels(std::move(y));

  m_meters = new CLevelGraph(this);
  m_meters->setObjectName(QStringLiteral("DynamicsMeters"));
  m_meters->SetColumnCount(2);
  for (int c = 0; c < 2; ++c) m_meters->SetRange(c, 0.0, 60.0);
  m_meters->SetCaption(0, QStringLiteral("IN"));
  m_meters->SetCaption(1, QStringLiteral("GR"));
  m_meters->SetThresholds(42.0 / 60.0, 54.0 / 60.0);
}

void CCompressorEditor::OnRefresh(std::uint32_t bits) {
  if (bits != change::kAll && !(bits & (change::kDynamics | change::kFullState))) return;
  const CDeviceState& s = m_session.State();
  const int r = Record();
  const double t = ReadParam(s, {m_values.threshold, r, 0}).raw - 60.0;
  const double ratio = ReadParam(s, {m_values.ratio, r, 0}).raw * 0.1;
  const double gain = ReadParam(s, {m_values.gain, r, 0}).raw * 0.1;
  // The line with its make-up gain, sampled finely enough to show the knee.
  std::vector<QPointF> line;
  for (double x = kFloorDb; x <= 0.0; x += 0.5) line.emplace_back(x, dyn::TransferOutput(x, t, ratio) + gain);
  m_transfer->SetCurve(std::move(line));
  UpdateMeters();
}

void CCompressorEditor::UpdateMeters() {
  const CDeviceState& s = m_session.State();
  const int r = Record();
  const dyn::DynamicsMeters m = dyn::MetersOf(s.link.online ? MeterLevel() : 0,
                                              ReadParam(s, {m_values.threshold, r, 0}).raw - 60.0,
                                              ReadParam(s, {m_values.ratio, r, 0}).raw * 0.1,
                                              ReadParam(s, {m_values.gain, r, 0}).raw * 0.1);
  if (m.in == m_shownIn && m.gr == m_shownGr) return;
  m_shownIn = m.in;
  m_shownGr = m.gr;
  m_meters->SetValue(0, m.in);
  m_meters->SetValue(1, m.gr);
}

void CCompressorEditor::PlaceCompressor(const QRect& area) {
  const int keyH = 30;
  const int x = area.x(), w = area.width();
  m_on->setGeometry(x, area.y(), w / 5, keyH);
  m_reset->setGeometry(x + w / 5 + 8, area.y(), w / 5, keyH);
  m_presetList->setGeometry(x + w - w / 4, area.y(), w / 4, keyH);
  const int graphTop = area.y() + keyH + 10;
  const int graphH = std::max(120, (area.height() - keyH - 10) * 55 / 100);
  const int meterW = std::clamp(w / 10, 40, 70);
  m_transfer->setGeometry(x, graphTop, w - meterW - 10, graphH);
  m_meters->setGeometry(x + w - meterW, graphTop, meterW, graphH);
  const int knobTop = graphTop + graphH + 8;
  const int cellW = w / 5;
  for (std::size_t k = 0; k < 5; ++k)
    PlaceKnob(Cell(m_firstKnob + k), {x + static_cast<int>(k) * cellW, knobTop, cellW - 6, area.bottom() - knobTop});
}

}  // namespace orvx
