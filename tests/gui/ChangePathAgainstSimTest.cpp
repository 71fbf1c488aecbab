// The change path from a real window to a simulator on loopback: a fader dragged and undone, and
// a long plan that must never stall the window's event loop.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "EditorAgainstSim.h"
#include "pages/PageMessages.h"
#include "pages/ChannelStrip.h"
#include "ui/SkinSlider.h"

namespace orvx {
namespace {

constexpr int kWaitMs = 10000;

class ChangePathAgainstSimTest : public test::EditorAgainstSim {
protected:
  ChangePathAgainstSimTest()
      : EditorAgainstSim({.simIp = "127.0.0.1", .editorIp = "127.0.0.83", .windowSize = {1260, 900}}) {}
  int SimLevel(int record) const { return sim->StateSnapshot().in[record].level; }
};

TEST_F(ChangePathAgainstSimTest, ADraggedFaderReachesTheProcessorAndUndoBringsItBack) {
  const int before = session->State().in[0].level;
  CChannelStrip* strip = dlg->VisibleStrips()[0];
  const int id = strip->Fader()->Id();
  for (int pos = 5; pos <= 30; ++pos) {
    emit strip->Fader()->SliderMoving(id, pos);
    QApplication::processEvents();
  }
  emit strip->Fader()->SliderReleased(id, 30);
  ASSERT_TRUE(test::WaitFor([&] { return SimLevel(0) == 40; }, kWaitMs)) << "the final level never arrived";
  dlg->Undo();
  EXPECT_EQ(session->State().in[0].level, before);
  EXPECT_TRUE(test::WaitFor([&] { return SimLevel(0) == before; }, kWaitMs)) << "undo did not reach the processor";
}

TEST_F(ChangePathAgainstSimTest, ALongPlanNeverStallsTheWindow) {
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r)
    for (int band = 0; band < kPeqBands; ++band)
      plan.change.writes.push_back({{ParamId::InPeqGain, r, band}, {180, {}}});
  plan.pauseMs = 20;
  QElapsedTimer call;
  call.start();
  const std::uint32_t id = session->Changes().ApplyPlan(plan);
  ASSERT_NE(id, 0u);
  EXPECT_LT(call.elapsed(), 20) << "queuing a plan returns at once";
  EXPECT_EQ(session->Queue().Progress(id).total, 60);

  const qint64 worst = test::WorstLoopGap([&] { return session->Queue().Progress(id).Done(); }, kWaitMs);
  ASSERT_TRUE(session->Queue().Progress(id).Done()) << "the plan never finished";
  EXPECT_GE(call.elapsed(), 59 * 20) << "the plan kept its pauses";
  EXPECT_LE(worst, 20) << "the window stalled for " << worst << " ms";
  EXPECT_TRUE(test::WaitFor([&] { return sim->StateSnapshot().in[11].peq[4].gain == 180; }, kWaitMs));
}

// Closing the window while a plan is on its way asks whether to finish it or stop now; either way
// the processor's last word from the editor is "%Q" 00 and the program ends by itself.
class CloseDuringPlanTest : public ChangePathAgainstSimTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseDuringPlanTest, AsksAndAlwaysEndsWithTheStop) {
  const int choice = GetParam();  // 0: finish, 1: stop now
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  plan.pauseMs = 60;
  const std::uint32_t id = session->Changes().ApplyPlan(plan);
  ASSERT_NE(id, 0u);
  dlg->close();
  QMessageBox* box = OpenPageMessage(dlg.get());
  ASSERT_NE(box, nullptr) << "closing during a plan asks first";
  box->buttons().at(choice)->click();
  ASSERT_TRUE(test::WaitFor([&] { return dlg->CloseFinished(); }, kWaitMs));
  const std::vector<std::string> frames = sim->ReceivedFrames();
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back().rfind("%Q,01,00,", 0), 0u) << frames.back();
  if (choice == 0) {
    EXPECT_EQ(session->Queue().Progress(id).sent, kWireInputs);
    EXPECT_EQ(sim->StateSnapshot().in[11].mute, 1) << "the whole plan reached the processor";
  } else {
    EXPECT_TRUE(session->Queue().Progress(id).cancelled);
    EXPECT_LT(session->Queue().Progress(id).sent, kWireInputs);
  }
}

INSTANTIATE_TEST_SUITE_P(FinishOrStop, CloseDuringPlanTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace orvx
