#include "pages/PeqPage.h"

#include <QResizeEvent>

#include "dsp/EqResponse.h"
#include "pages/GraphView.h"
#include "pages/PresetDropDown.h"
#include "session/ControlScales.h"
#include "session/EqCurveEdit.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinKnob.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kTitle{"PARAMETRIC EQ", "参量均衡"};
constexpr Caption kBands[5] = {{"BAND 1", "频段 1"}, {"BAND 2", "频段 2"}, {"BAND 3", "频段 3"}, {"BAND 4", "频段 4"},
                               {"BAND 5", "频段 5"}};
constexpr Caption kHpf{"HPF", "高通"};
constexpr Caption kLpf{"LPF", "低通"};
constexpr Caption kGain{"GAIN", "增益"};
constexpr Caption kFrequency{"FREQUENCY", "频率"};
constexpr Caption kQ{"Q", "Q"};
constexpr Caption kOn{"ON", "开"};
constexpr Caption kLowShelf{"LOW SHELF", "低架"};
constexpr Caption kHighShelf{"HIGH SHELF", "高架"};
constexpr Caption kBypass{"BYPASS", "旁通"};
constexpr Caption kReset{"RESET", "复位"};
constexpr Caption kPolar{"POLAR", "极性"};
constexpr int kShelfType[2] = {1, 2};  ///< band 1 low shelf, band 4 high shelf
constexpr PositionMap kFrequencyKnob{.toPosition = KnobOfFrequency, .toRaw = FrequencyOfKnob};

}  // namespace

CPeqPage::CPeqPage(IShellSession& session, QWidget* parent) : CDspEditorPage(session, kTitle, parent) {
  m_curve = new CGraphView(this);
  m_curve->setObjectName(QStringLiteral("EqCurve"));
  const auto& grid = eq::Grid();
  m_curve->SetAxes({grid.front(), grid.back(), true}, {-15, 15, false});
  std::vector<CGraphView::Label> yLabels;
  for (int db = -15; db <= 15; db += 3) yLabels.push_back({double(db), QStringLiteral("%1dB").arg(db)});
  m_curve->SetYLabels(std::move(yLabels));
  m_curve->SetXLabels({{20, QStringLiteral("20")},
                       {100, QStringLiteral("100")},
                       {1000, QStringLiteral("1K")},
                       {10000, QStringLiteral("10K")},
                       {20000, QStringLiteral("20K")}});
  connect(m_curve, &CGraphView::PointDragged, this, [this](int i, double f, double g) { DragPoint(i, f, g, false); });
  connect(m_curve, &CGraphView::PointReleased, this, [this](int i, double f, double g) { DragPoint(i, f, g, true); });

  for (int b = 0; b < kPeqBands; ++b) {
    m_columnCaptions[static_cast<std::size_t>(b)] = AddCaption(kBands[b]);
    AddKnob({ParamId::InPeqGain, 0, b}, kGain);
    AddKnob({ParamId::InPeqFreq, 0, b}, kFrequency, kFrequencyKnob, kFreqKnobMin, kFreqKnobMax);
    AddKnob({ParamId::InPeqQ, 0, b}, kQ);
  }
  for (int k = 0; k < 2; ++k) {
    const int band = k == 0 ? 0 : 3;
    m_shelf[static_cast<std::size_t>(k)] = AddKey(k == 0 ? kLowShelf : kHighShelf,
                                                  QStringLiteral("Shelf%1").arg(band + 1),
                                                  [this, band] { ToggleShelf(band); }, true);
  }
  const struct {
    Caption caption;
    ParamId on, freq, slope;
  } filters[2] = {{kHpf, ParamId::InHpfOn, ParamId::InHpfFreq, ParamId::InHpfSlope},
                  {kLpf, ParamId::InLpfOn, ParamId::InLpfFreq, ParamId::InLpfSlope}};
  for (std::size_t k = 0; k < 2; ++k) {
    m_columnCaptions[5 + k] = AddCaption(filters[k].caption);
    m_filterOn[k] = AddToggle({filters[k].on, 0, 0}, kOn);
    AddKnob({filters[k].freq, 0, 0}, kFrequency, kFrequencyKnob, kFreqKnobMin, kFreqKnobMax);
    m_slopes[k] = AddList({filters[k].slope, 0, 0});
  }
  m_presetList = AddPresets(PresetKind::Peq);
  connect(m_presetList, &CPresetDropDown::Recalled, this, [this](int record) { m_bypass.Forget(record); });
  m_bypassKey = AddKey(kBypass, QStringLiteral("Bypass"), [this] { SwitchBypass(); }, true);
  m_resetKey = AddKey(kReset, QStringLiteral("Reset"), [this] {
    m_bypass.Forget(Record());
    Run(PeqReset(Record()));
  });
  m_polar = AddToggle({ParamId::InPolarity, 0, 0}, kPolar);
  ApplyLanguage(Language::English);
}

void CPeqPage::DragPoint(int point, double freq, double gainDb, bool final) {
  const std::vector<ParamWrite> writes = CurvePointWrites(Record(), point, freq, gainDb);
  if (writes.empty()) return;
  if (m_gesture == 0) m_gesture = m_session.Changes().NewGesture();
  const std::uint64_t gesture = m_gesture;
  if (final) m_gesture = 0;
  m_session.Changes().Apply({writes, final ? ChangeOrigin::Control : ChangeOrigin::Drag, gesture});
  emit Touched(writes.back().addr);
}

void CPeqPage::ToggleShelf(int band) {
  const ParamAddr type{ParamId::InPeqType, Record(), band};
  const std::int32_t shelf = kShelfType[band == 0 ? 0 : 1];
  m_session.Changes().Set(type, {ReadParam(m_session.State(), type).raw == 0 ? shelf : 0, {}});
  emit Touched(type);
  OnRefresh(change::kEq);
}

void CPeqPage::SwitchBypass() {
  if (m_session.Changes().Busy()) {
    Run({});  // says why
    return;
  }
  Run(m_bypass.Switch(m_session.State(), Record()));
  OnRefresh(change::kEq);
}

void CPeqPage::OnRefresh(std::uint32_t bits) {
  if (bits & change::kFullState) m_bypass.ForgetAll();  // a reload rewrote every EQ
  if (bits != change::kAll && !(bits & (change::kEq | change::kFullState))) return;
  const int record = Record();
  const InputChannel& c = m_session.State().in[record];
  const eq::Response summed = eq::ChannelResponse(c, record);
  const auto& grid = eq::Grid();
  std::vector<QPointF> curve;
  curve.reserve(grid.size());
  for (std::size_t i = 0; i < grid.size(); ++i) curve.emplace_back(grid[i], summed[i]);
  m_curve->SetCurve(std::move(curve));
  const auto points = CurvePoints(c, record, summed);
  std::vector<CGraphView::Point> shown;
  for (int i = 0; i < kCurvePoints; ++i) {
    const CurvePoint& p = points[static_cast<std::size_t>(i)];
    const bool corner = i >= kHighPassPoint;
    shown.push_back({p.freq, p.gainDb, p.shown, true, !corner,
                     corner ? QString(i == kHighPassPoint ? 'H' : 'L') : QString::number(i + 1)});
  }
  m_curve->SetPoints(std::move(shown));
  m_shelf[0]->SetChecked(c.peq[0].type != 0);
  m_shelf[1]->SetChecked(c.peq[3].type != 0);
  m_bypassKey->SetChecked(m_bypass.On(record));
}

void CPeqPage::resizeEvent(QResizeEvent* event) {
  CDspEditorPage::resizeEvent(event);
  const int w = width(), h = height();
  const int top = kTitleHeight + 8;
  const int curveH = std::max(120, (h - top) * 42 / 100);
  const int sideW = std::clamp(w / 6, 110, 200);
  m_curve->setGeometry(8, top, w - sideW - 24, curveH);
  const int sx = w - sideW - 8;
  const int keyH = std::clamp(curveH / 6, 26, 36);
  m_presetList->setGeometry(sx, top, sideW, keyH);
  int y = top + keyH + 12;
  for (PngButton* key : {m_bypassKey, m_resetKey, m_polar}) {
    key->setGeometry(sx, y, sideW, keyH);
    y += keyH + 8;
  }

  // Seven columns: bands 1..5, the high-pass and the low-pass.
  const int bodyTop = top + curveH + 10;
  const int colW = (w - 16) / 7;
  const int captionH = 22, keyRow = 26;
  const int knobH = std::max(50, (h - bodyTop - captionH - keyRow - 16) / 3);
  for (int col = 0; col < 7; ++col) {
    const int x = 8 + col * colW;
    m_columnCaptions[static_cast<std::size_t>(col)]->setGeometry(x, bodyTop, colW - 6, captionH);
    const int knobTop = bodyTop + captionH + keyRow + 6;
    if (col < kPeqBands) {
      if (col == 0 || col == 3) m_shelf[col == 0 ? 0 : 1]->setGeometry(x + 8, bodyTop + captionH + 2, colW - 22, keyRow - 2);
      for (int k = 0; k < 3; ++k) PlaceKnob(Cell(static_cast<std::size_t>(col * 3 + k)), {x, knobTop + k * knobH, colW - 6, knobH - 4});
    } else {
      const std::size_t f = static_cast<std::size_t>(col - kPeqBands);
      m_filterOn[f]->setGeometry(x + 8, bodyTop + captionH + 2, colW - 22, keyRow - 2);
      PlaceKnob(Cell(static_cast<std::size_t>(kPeqBands * 3) + f), {x, knobTop, colW - 6, knobH - 4});
      m_slopes[f]->setGeometry(x + 4, knobTop + knobH + 4, colW - 14, 26);
    }
  }
}

}  // namespace orvx
