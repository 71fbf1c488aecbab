#include "pages/GeqPage.h"

#include "pages/GraphView.h"
#include "pages/PresetDropDown.h"
#include "session/EqCurveEdit.h"
#include "ui/PngButton.h"

namespace orvx {
namespace {

constexpr Caption kTitle{"GRAPHIC EQ", "图示均衡"};
constexpr Caption kEq{"EQ", "均衡"};
constexpr Caption kReset{"RESET", "复位"};
constexpr const char* kBandLabels[kGeqBands] = {"20",  "25",  "31.5", "40",  "50",  "63",  "80",  "100",
                                                "125", "160", "200",  "250", "315", "400", "500", "630",
                                                "800", "1k",  "1k25", "1k6", "2k",  "2k5", "3k15", "4k",
                                                "5k",  "6k3", "8k",   "10k", "12k5", "16k", "20k"};

}  // namespace

CGeqPage::CGeqPage(IShellSession& session, QWidget* parent) : CDspEditorPage(session, kTitle, parent) {
  m_graph = new CGraphView(this);
  m_graph->setObjectName(QStringLiteral("GeqGraph"));
  // One column per band, a little room at both ends for the outer points.
  m_graph->SetAxes({-0.7, kGeqBands - 0.3, false}, {-15, 15, false});
  std::vector<CGraphView::Label> x, y;
  for (int b = 0; b < kGeqBands; ++b) x.push_back({double(b), QString::fromLatin1(kBandLabels[b])});
  for (int db = -15; db <= 15; db += 3) y.push_back({double(db), QStringLiteral("%1 (dB)").arg(db)});
  m_graph->SetXLabels(std::move(x));
  m_graph->SetYLabels(std::move(y));
  connect(m_graph, &CGraphView::PointDragged, this, [this](int b, double, double db) { DragBand(b, db, false); });
  connect(m_graph, &CGraphView::PointReleased, this, [this](int b, double, double db) { DragBand(b, db, true); });
  connect(m_graph, &CGraphView::PointDoubleClicked, this, [this](int b) {
    const ParamAddr gain{ParamId::OutGeqGain, Record(), b};
    m_session.Changes().Set(gain, {150, {}});
    emit Touched(gain);
  });
  m_on = AddToggle({ParamId::OutGeqOn, 0, 0}, kEq);
  m_reset = AddKey(kReset, QStringLiteral("Reset"), [this] { Run(GeqReset(Record())); });
  m_presetList = AddPresets(PresetKind::Geq);
  ApplyLanguage(Language::English);
}

void CGeqPage::DragBand(int band, double gainDb, bool final) {
  if (m_gesture == 0) m_gesture = m_session.Changes().NewGesture();
  const std::uint64_t gesture = m_gesture;
  if (final) m_gesture = 0;
  const ParamWrite w = GeqBandWrite(Record(), band, gainDb);
  m_session.Changes().Apply({{w}, final ? ChangeOrigin::Control : ChangeOrigin::Drag, gesture});
  emit Touched(w.addr);
}

void CGeqPage::OnRefresh(std::uint32_t bits) {
  if (bits != change::kAll && !(bits & (change::kEq | change::kFullState))) return;
  const OutputChannel& out = m_session.State().out[Record()];
  std::vector<CGraphView::Point> points;
  std::vector<QPointF> line;
  for (int b = 0; b < kGeqBands; ++b) {
    const double db = (out.geq[b].gain - 150) * 0.1;
    points.push_back({double(b), db, true, false, true, QString()});
    line.emplace_back(b, db);
  }
  m_graph->SetPoints(std::move(points));
  m_graph->SetCurve(std::move(line));
}

void CGeqPage::resizeEvent(QResizeEvent* event) {
  CDspEditorPage::resizeEvent(event);
  const int top = kTitleHeight + 10;
  const int keyH = 30, keyW = std::clamp(width() / 8, 90, 160);
  m_on->setGeometry(8, top, keyW, keyH);
  m_reset->setGeometry(16 + keyW, top, keyW, keyH);
  m_presetList->setGeometry(width() - 8 - 2 * keyW, top, 2 * keyW, keyH);
  m_graph->setGeometry(8, top + keyH + 10, width() - 16, height() - top - keyH - 18);
}

}  // namespace orvx
