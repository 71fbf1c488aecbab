// A mute group applied from the window's key against a simulator on loopback, while the operator
// drags a fader: the window keeps running and the processor ends with both changes.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "EditorAgainstSim.h"
#include "pages/ChannelStrip.h"
#include "ui/PngButton.h"
#include "ui/SkinSlider.h"

namespace orvx {
namespace {

constexpr int kWaitMs = 10000;
constexpr const char* kSimIp = "127.0.0.121";
constexpr const char* kEditorIp = "127.0.0.120";

class MuteGroupAgainstSimTest : public test::EditorAgainstSim {
protected:
  MuteGroupAgainstSimTest() : EditorAgainstSim({.simIp = kSimIp, .editorIp = kEditorIp}) {}
};

TEST_F(MuteGroupAgainstSimTest, AWholeGroupAndADraggedFaderNeverStallTheWindow) {
  MuteGroup& group = session->State().muteGroups[0];
  for (auto& f : group.inputs) f = 1;
  for (auto& f : group.outputs) f = 1;
  CChannelStrip* strip = dlg->VisibleStrips()[0];  // input 1, a member
  const int id = strip->Fader()->Id();

  QElapsedTimer call;
  call.start();
  test::Click(dlg->MuteKey(1));
  ASSERT_TRUE(session->Changes().Busy()) << "the group goes out as a plan";
  EXPECT_TRUE(dlg->MuteKey(1)->IsChecked());

  int pos = 5;
  const qint64 worst = test::WorstLoopGap([&] { return !session->Changes().Busy() && pos > 30; }, kWaitMs,
                                          [&] {
                                            if (pos <= 30) emit strip->Fader()->SliderMoving(id, pos++);
                                          });
  ASSERT_FALSE(session->Changes().Busy()) << "the plan never finished";
  emit strip->Fader()->SliderReleased(id, 30);
  EXPECT_GE(call.elapsed(), 12 * 20) << "twelve inputs, 20 ms after each";
  EXPECT_LE(worst, 20) << "the window stalled for " << worst << " ms";
  RecordProperty("worstGapMs", static_cast<int>(worst));

  const auto arrived = [&] {
    const CDeviceState s = sim->StateSnapshot();
    for (int r = 0; r < kWireInputs; ++r)
      if (s.in[r].mute != 1) return false;
    for (int r = 0; r < kOutputRecords; ++r)
      if (s.out[r].mute != 1) return false;
    return s.in[0].level == 40;
  };
  EXPECT_TRUE(test::WaitFor(arrived, kWaitMs)) << "the processor lacks a member's mute or the fader's level";
}

}  // namespace
}  // namespace orvx
