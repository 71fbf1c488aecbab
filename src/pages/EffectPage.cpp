#include "pages/EffectPage.h"

#include <QPainter>

#include "pages/PresetDropDown.h"
#include "session/ControlScales.h"
#include "ui/LevelGraph.h"
#include "ui/PngButton.h"
#include "ui/SkinSlider.h"
#include "ui/SkinTheme.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kTitle{"DELAY / REVERB", "延时 / 混响"};
constexpr Caption kReverb{"Reverberation", "混响"};
constexpr Caption kDelay{"Delay", "延时"};
constexpr Caption kReset{"RESET", "复位"};
constexpr Caption kInput{"INPUT", "输入"};
constexpr Caption kOutput{"OUTPUT", "输出"};
constexpr Caption kMute{"MUTE", "静音"};
constexpr PositionMap kEffectFader{.toPosition = EffectFaderPosition, .toRaw = EffectLevelOfPosition};

struct KnobSpec {
  ParamId id;
  Caption caption;
};
constexpr KnobSpec kReverbKnobs[] = {{ParamId::ReverbP1, {"Delay1", "延时1"}},      {ParamId::ReverbP2, {"Delay2", "延时2"}},
                                     {ParamId::ReverbP3, {"Delay3", "延时3"}},      {ParamId::ReverbP4, {"Delay4", "延时4"}},
                                     {ParamId::ReverbTime, {"Rev time", "混响时间"}}, {ParamId::ReverbLpf, {"LPF", "低通"}}};
constexpr KnobSpec kDelayKnobs[] = {{ParamId::DelayTime1, {"Pre delay1", "预延时1"}},
                                    {ParamId::DelayTime2, {"Pre delay2", "预延时2"}},
                                    {ParamId::DelayFeedback, {"Feedback", "反馈"}},
                                    {ParamId::DelayLpf, {"LPF", "低通"}}};

}  // namespace

CEffectPage::CEffectPage(IShellSession& session, QWidget* parent) : CDspEditorPage(session, kTitle, parent) {
  KeepRecords();
  const struct {
    Caption caption;
    std::span<const KnobSpec> knobs;
    PresetKind presets;
    DspAction (*reset)();
    int record;
  } units[2] = {{kReverb, kReverbKnobs, PresetKind::Reverb, ReverbReset, kReverbRecord},
                {kDelay, kDelayKnobs, PresetKind::Delay, DelayReset, kDelayRecord}};
  for (std::size_t u = 0; u < 2; ++u) {
    Unit& unit = m_units[u];
    unit.caption = AddCaption(units[u].caption, 0);
    auto reset = units[u].reset;
    unit.reset = AddKey(kReset, u == 0 ? QStringLiteral("ReverbReset") : QStringLiteral("DelayReset"),
                        [this, reset] { Run(reset()); });
    unit.presets = AddPresets(units[u].presets);
    unit.firstKnob = Knobs().size();
    unit.knobs = units[u].knobs.size();
    for (const KnobSpec& k : units[u].knobs) AddKnob({k.id, 0, 0}, k.caption);
    AddLevels(unit, units[u].record);
  }
  ApplyLanguage(Language::English);
}

void CEffectPage::AddLevels(Unit& unit, int record) {
  const ParamId levels[2] = {ParamId::InLevel, ParamId::InLevel2};
  const ParamId mutes[2] = {ParamId::InMute, ParamId::InMute2};
  for (std::size_t i = 0; i < 2; ++i) {
    unit.levelCaptions[i] = AddCaption(i == 0 ? kInput : kOutput);
    auto* fader = new CSkinSlider(this, static_cast<int>(i));
    fader->setObjectName(QString::fromLatin1(Param(levels[i]).name) + QString::number(record));
    fader->SetVertical(true);
    fader->SetRange(0, EffectFaderMax());
    Bindings().Add(BindFader(fader, m_session, {levels[i], record, 0}, kEffectFader));
    unit.faders[i] = fader;
    PngButton* mute = AddToggle({mutes[i], record, 0}, kMute);
    mute->setObjectName(QString::fromLatin1(Param(mutes[i]).name) + QString::number(record));
    unit.mutes[i] = mute;
  }
  // No report carries the effect units' meters: they rest.
  unit.meters = new CLevelGraph(this);
  unit.meters->SetColumnCount(2);
  for (int c = 0; c < 2; ++c) unit.meters->SetRange(c, 0.0, kLevelMax);
}

void CEffectPage::PlaceUnit(Unit& unit, const QRect& area) {
  unit.frame = area;
  const QRect a = area.adjusted(8, 8, -8, -8);
  const int keyH = 30;
  unit.caption->setGeometry(a.x(), a.y(), a.width() / 3, keyH);
  unit.reset->setGeometry(a.x() + a.width() / 3, a.y(), a.width() / 4, keyH);
  unit.presets->setGeometry(a.right() - a.width() / 3, a.y(), a.width() / 3, keyH);
  // Knobs in two rows on the left, the level faders on the right.
  const int levelsW = std::clamp(a.width() * 2 / 5, 150, 260);
  const int knobsW = a.width() - levelsW - 8;
  const int perRow = 3;
  const int rows = static_cast<int>((unit.knobs + perRow - 1) / perRow);
  const int top = a.y() + keyH + 10;
  const int cellH = std::min(150, (a.bottom() - top) / std::max(rows, 1));
  for (std::size_t k = 0; k < unit.knobs; ++k) {
    const int col = static_cast<int>(k) % perRow, row = static_cast<int>(k) / perRow;
    PlaceKnob(Cell(unit.firstKnob + k), {a.x() + col * knobsW / perRow, top + row * cellH, knobsW / perRow - 6, cellH - 6});
  }
  const int lx = a.right() - levelsW;
  const int colW = (levelsW - 24) / 2;
  for (std::size_t i = 0; i < 2; ++i) {
    const int x = lx + static_cast<int>(i) * (colW + 24);
    unit.levelCaptions[i]->setGeometry(x, top, colW, 20);
    unit.faders[i]->setGeometry(x + colW / 2 - 24, top + 24, 40, a.bottom() - top - 70);
    unit.mutes[i]->setGeometry(x, a.bottom() - 36, colW, 30);
  }
  unit.meters->setGeometry(lx + colW + 2, top + 24, 20, a.bottom() - top - 70);
}

void CEffectPage::resizeEvent(QResizeEvent* event) {
  CDspEditorPage::resizeEvent(event);
  const int top = kTitleHeight + 10;
  const int half = (width() - 24) / 2;
  PlaceUnit(m_units[0], {8, top, half, height() - top - 8});
  PlaceUnit(m_units[1], {16 + half, top, half, height() - top - 8});
}

void CEffectPage::paintEvent(QPaintEvent* event) {
  CDspEditorPage::paintEvent(event);
  QPainter p(this);
  p.setPen(QPen(SkinTheme::Current().Color("panel.edge"), 1));
  for (const Unit& u : m_units) p.drawRect(u.frame);
}

}  // namespace orvx
