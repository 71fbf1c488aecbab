// The DSP editors as the operator uses them: their keys, graphs, faders and preset lists, checked
// on the state and on the frames the change path sends.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTemporaryDir>

#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "link/Commands.h"
#include "pages/DynamicsPage.h"
#include "pages/EffectPage.h"
#include "pages/GeqPage.h"
#include "pages/GraphView.h"
#include "pages/PeqPage.h"
#include "pages/PresetDropDown.h"
#include "session/ControlScales.h"
#include "session/PresetList.h"
#include "ui/PngButton.h"
#include "ui/SkinSlider.h"

namespace orvx {
namespace {

using test::App;
using test::Click;

void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, {});
  QApplication::sendEvent(w, &e);
}

/// Drags a graph's point to the pixel `to` in `steps` moves, then lets go.
void DragPoint(CGraphView* graph, int point, QPointF to, int steps) {
  const auto& p = graph->Points()[static_cast<std::size_t>(point)];
  const QPointF from = graph->ToPixel(p.x, p.y);
  Mouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
  for (int i = 1; i <= steps; ++i) Mouse(graph, QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton);
  Mouse(graph, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

class DspEditorsTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    session.GoOnline();
  }
  template <class Page>
  std::unique_ptr<Page> Open(int record) {
    auto page = std::make_unique<Page>(session);
    page->resize(1200, 560);
    page->OpenFor(record);
    page->show();
    return page;
  }
  std::vector<std::string> Take() {
    auto sent = session.Sent();
    std::vector<std::string> fresh(sent.begin() + static_cast<long>(m_seen), sent.end());
    m_seen = sent.size();
    return fresh;
  }

  test::FakeShellSession session;
  std::size_t m_seen = 0;
};

TEST_F(DspEditorsTest, PeqKeysResetBypassAndShelveWithTheirFrames) {
  auto page = Open<CPeqPage>(2);
  InputChannel& c = session.state.in[2];
  c.peq[1].gain = 220;
  c.hpfOn = 1;
  Click(page->KeyNamed(QStringLiteral("Reset")));
  EXPECT_EQ(c.peq[1].gain, 150);
  EXPECT_EQ(c.peq[3].freq, 5000);
  EXPECT_EQ(c.hpfOn, 0);
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameG(session.state, 3, 1), FrameG(session.state, 3, 2),
                                              FrameG(session.state, 3, 3), FrameG(session.state, 3, 4),
                                              FrameE(session.state, 3), FrameF(session.state, 3)}));

  // Band 4's key makes it a high shelf and back; only its own band goes.
  Click(page->ShelfKey(3));
  EXPECT_EQ(c.peq[3].type, 2);
  EXPECT_TRUE(page->ShelfKey(3)->IsChecked());
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameG(session.state, 3, 4)}));
  Click(page->ShelfKey(3));
  EXPECT_EQ(c.peq[3].type, 0);
  Take();

  c.peq[0].gain = 90;
  Click(page->KeyNamed(QStringLiteral("Bypass")));
  EXPECT_TRUE(page->Bypassed());
  EXPECT_EQ(c.peq[0].gain, 150);
  EXPECT_EQ(Take().size(), 6u);
  Click(page->KeyNamed(QStringLiteral("Bypass")));
  EXPECT_FALSE(page->Bypassed());
  EXPECT_EQ(c.peq[0].gain, 90) << "the channel's own values come back";
}

TEST_F(DspEditorsTest, DraggingACurvePointMovesItsBandAsOneUndoStepAndItsLastValueGoes) {
  auto page = Open<CPeqPage>(0);
  InputChannel& c = session.state.in[0];
  const PeqBand before = c.peq[1];
  CGraphView* curve = page->Curve();
  const QPointF target = curve->ToPixel(2000, 6.0);
  DragPoint(curve, 1, target, 12);
  EXPECT_NEAR(c.peq[1].freq, 2000, 40);
  EXPECT_NEAR(c.peq[1].gain, 210, 4);
  EXPECT_EQ(c.peq[1].gain % 2, 0) << "on the step the wire carries";
  const auto sent = Take();
  ASSERT_FALSE(sent.empty());
  EXPECT_LT(sent.size(), 12u) << "a drag is paced";
  EXPECT_EQ(sent.back(), FrameG(session.state, 1, 2)) << "the last value always goes";

  ASSERT_TRUE(session.Changes().Undo());
  EXPECT_EQ(c.peq[1].freq, before.freq);
  EXPECT_EQ(c.peq[1].gain, before.gain);
}

TEST_F(DspEditorsTest, GraphicEqBandsDragToTheirEndsAndResetSendsOneFrame) {
  auto page = Open<CGeqPage>(3);
  CGraphView* graph = page->Graph();
  DragPoint(graph, 4, graph->ToPixel(4, 20.0), 5);  // past the top: +15 dB
  EXPECT_EQ(session.state.out[3].geq[4].gain, 300);
  EXPECT_EQ(Take().back(), FrameH(session.state, 4));
  page->Refresh();
  DragPoint(graph, 30, graph->ToPixel(30, -20.0), 5);
  EXPECT_EQ(session.state.out[3].geq[30].gain, 0);
  Take();
  Click(page->KeyNamed(QStringLiteral("Reset")));
  EXPECT_EQ(session.state.out[3].geq[4].gain, 150);
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameH(session.state, 4)}));
}

TEST_F(DspEditorsTest, DynamicsResetsTheGateInTheStateAndTheCompressorOnTheWire) {
  auto page = Open<CDynamicsPage>(9);  // input 10: its compressor reaches the processor too
  session.state.in[9].dyn2[1] = 33;
  session.state.in[9].comp[1] = 12;
  Click(page->KeyNamed(QStringLiteral("GateReset")));
  EXPECT_EQ(session.state.in[9].dyn2[1], 0);
  EXPECT_TRUE(Take().empty()) << "no command carries the gate";
  Click(page->KeyNamed(QStringLiteral("CompReset")));
  EXPECT_EQ(ReadParam(session.state, {ParamId::InCompThreshold, 9, 0}).raw, 30);
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameC(session.state, 10)}));
}

TEST_F(DspEditorsTest, EffectFadersAndMutesTravelAsTheReturnsLevels) {
  auto page = Open<CEffectPage>(kDelayRecord);
  // The reverb's input fader: a level set on its scale is stored as that level.
  emit page->Fader(0)->SliderReleased(0, EffectFaderPosition(35));
  EXPECT_EQ(session.state.in[kReverbRecord].level, 35);
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameA(session.state, 29)}));
  Click(page->Mute(3));  // the delay's output mute
  EXPECT_EQ(ReadParam(session.state, {ParamId::InMute2, kDelayRecord, 0}).raw, 1);
  EXPECT_EQ(Take(), (std::vector<std::string>{FrameA(session.state, 28)}));
}

TEST_F(DspEditorsTest, APresetSavedAndRecalledOnTheEqPageBringsTheBandsBackWithoutPauses) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_EQ(session.presets.Open(dir.path().toStdString()), "");
  auto page = Open<CPeqPage>(4);
  CPresetDropDown* presets = page->PresetLists().front();
  presets->Refill();
  InputChannel& c = session.state.in[4];
  c.peq[2] = {3150, 240, 14, {0, 0}, 0};
  presets->SaveRow();
  c.peq[2].gain = 150;
  Click(page->KeyNamed(QStringLiteral("Bypass")));  // a backup from before the recall
  Take();
  const std::int64_t before = session.clock.NowMs();
  presets->RecallRow(1);
  EXPECT_EQ(c.peq[2].freq, 3150);
  EXPECT_EQ(c.peq[2].gain, 240);
  EXPECT_EQ(Take().size(), 6u);
  EXPECT_EQ(session.clock.NowMs(), before) << "a recall goes without pauses";
  EXPECT_FALSE(page->Bypassed()) << "the recall replaced what the bypass kept";
}

}  // namespace
}  // namespace orvx
