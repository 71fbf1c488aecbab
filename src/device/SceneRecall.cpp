#include "device/SceneRecall.h"

#include "device/StatePush.h"
#include "link/Commands.h"

namespace orvx {
FramePlan SceneRecallPlan(const CDeviceState& s, IGlyphRenderer& renderer) {
  FramePlan plan;
  AppendFrame(plan, FrameQ(false), kPushPauseMs);
  for (int ch = 1; ch <= kWireInputs + kOutputRecords; ++ch) {
    AppendFrame(plan, FrameV(s, ch, renderer), kRecallNamePauseMs);
    AppendFrame(plan, FrameA(s, ch), kPushPauseMs);
  }
  for (int unit = 1; unit <= kUnits; ++unit) AppendFrame(plan, FrameX(s, unit), kRecallUnitPauseMs);
  AppendMixerPush(plan, s);
  // A scene also holds values the processor's order never sends; without them the processor would
  // keep its own while the editor shows the scene's.
  AppendFrame(plan, FrameN(s), kPushPauseMs);
  for (int ch = kWireInputs + 1; ch <= kFilterInputs; ++ch) {
    AppendFrame(plan, FrameC(s, ch), kPushPauseMs);
    AppendFrame(plan, FrameE(s, ch), kPushPauseMs);
    AppendFrame(plan, FrameF(s, ch), kPushPauseMs);
    for (int band = 1; band <= kPeqBands; ++band) AppendFrame(plan, FrameG(s, ch, band), kPushPauseMs);
  }
  for (int ch = kWireInputs + 1; ch <= kInputRecords; ++ch) AppendFrame(plan, FrameO(s, ch), kPushPauseMs);
  AppendFrame(plan, FrameQ(true), kPushPauseMs);
  return plan;
}

int PlanPauseMs(const FramePlan& plan) {
  int total = 0;
  for (const Datagram& d : plan) total += d.pauseAfterMs;
  return total;
}

}  // namespace orvx
