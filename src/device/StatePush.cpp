#include "device/StatePush.h"

#include "link/Commands.h"

namespace orvx {

void AppendMixerPush(FramePlan& plan, const CDeviceState& s) {
  for (int ch = 1; ch <= kWireInputs; ++ch) {
    AppendFrame(plan, FrameB(s, ch), kPushPauseMs);
    if (ch <= kAutomixInputs) {
      AppendFrame(plan, FrameC(s, ch), kPushPauseMs);
      AppendFrame(plan, FrameE(s, ch), kPushPauseMs);
      AppendFrame(plan, FrameF(s, ch), kPushPauseMs);
    }
    AppendFrame(plan, FrameO(s, ch), kPushPauseMs);
  }
  for (int out = 1; out <= kOutputRecords; ++out) {
    for (const std::string& f :
         {FrameD(s, out), FrameH(s, out), FrameI(s, out), FrameJ(s, out), FrameK(s, out), FrameL(s, out)}) {
      AppendFrame(plan, f, kPushPauseMs);
    }
  }
  for (int ch = 1; ch <= kWireInputs; ++ch) {
    for (int band = 1; band <= 4; ++band) AppendFrame(plan, FrameG(s, ch, band), kPushPauseMs);
    // The MIC/LINE frame that follows each channel's bands exists for outputs 1..8 only.
    if (ch <= kOutputRecords) AppendFrame(plan, FrameI(s, ch), kPushPauseMs);
  }
  AppendFrame(plan, FrameM(s), kPushPauseMs);
  // Without these the processor would keep its old band 5 and the old dynamics and filters of
  // inputs 9..12 while the editor shows the pushed ones.
  for (int ch = 1; ch <= kWireInputs; ++ch) AppendFrame(plan, FrameG(s, ch, kPeqBands), kPushPauseMs);
  for (int ch = kAutomixInputs + 1; ch <= kWireInputs; ++ch) {
    AppendFrame(plan, FrameC(s, ch), kPushPauseMs);
    AppendFrame(plan, FrameE(s, ch), kPushPauseMs);
    AppendFrame(plan, FrameF(s, ch), kPushPauseMs);
  }
}

}  // namespace orvx
