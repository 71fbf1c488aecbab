#pragma once
/// What the two pushes of the whole state (factory recovery, scene recall) send alike, in the
/// processor's order, each frame followed by the same pause.

#include "core/DeviceState.h"
#include "link/FramePlan.h"

namespace orvx {

/// Pause after each frame of a whole-state push (the units and names have their own).
constexpr int kPushPauseMs = 20;

/// The matrix rows (each with the input's dynamics, filters and source), the outputs, the
/// parametric bands 1..4 of inputs 1..12 with the MIC/LINE of outputs 1..8 after them, the
/// automatic mixer; then band 5 of inputs 1..12 and the dynamics and filters of inputs 9..12,
/// which the processor's own order leaves out.
void AppendMixerPush(FramePlan& plan, const CDeviceState& s);

}  // namespace orvx
