// Dragging a point of the EQ curve in the main window against a simulator on loopback while the
// curve redraws: the window never stalls, and the processor ends on the point's values.
#include <gtest/gtest.h>

#include <cmath>

#include "EditorAgainstSim.h"
#include "pages/GraphView.h"
#include "pages/PeqPage.h"

namespace orvx {
namespace {

constexpr int kWaitMs = 10000;

class PeqDragAgainstSimTest : public test::EditorAgainstSim {
protected:
  PeqDragAgainstSimTest() : EditorAgainstSim({.simIp = "127.0.0.212", .editorIp = "127.0.0.213"}) {}
};

TEST_F(PeqDragAgainstSimTest, DraggingACurvePointNeverStallsTheWindow) {
  dlg->ShowInputChannelView(0, 2);
  auto* page = dlg->findChild<CPeqPage*>();
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(page->isVisible());
  CGraphView* curve = page->Curve();

  // Band 3 sweeps from 200 Hz to 8 kHz and from -12 to +12 dB, one step per tick of the loop.
  constexpr int kSteps = 120;
  int step = 0;
  double freq = 200, gain = -12;
  const qint64 worst = test::WorstLoopGap([&] { return step > kSteps; }, kWaitMs, [&] {
    if (step > kSteps) return;
    const double t = double(step++) / kSteps;
    freq = 200 * std::pow(40.0, t);
    gain = -12 + 24 * t;
    emit curve->PointDragged(2, freq, gain);
  });
  emit curve->PointReleased(2, freq, gain);
  EXPECT_LE(worst, 20) << "the window stalled for " << worst << " ms";
  RecordProperty("worstGapMs", static_cast<int>(worst));

  const PeqBand& band = session->State().in[0].peq[2];
  EXPECT_NEAR(band.freq, 8000, 1);
  EXPECT_EQ(band.gain, 270);
  EXPECT_TRUE(test::WaitFor(
      [&] {
        const PeqBand& held = sim->StateSnapshot().in[0].peq[2];
        return held.freq == band.freq && held.gain == band.gain;
      },
      kWaitMs))
      << "the processor lacks the drag's last value";
}

}  // namespace
}  // namespace orvx
