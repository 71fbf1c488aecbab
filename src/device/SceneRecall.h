#pragma once
/// The push of a recalled scene: the whole state as one paced plan, in the processor's order.

#include "core/DeviceState.h"
#include "link/FramePlan.h"
#include "link/GlyphRenderer.h"

namespace orvx {

/// Pauses of the push, after each frame of its kind (others wait kPushPauseMs).
constexpr int kRecallNamePauseMs = 200;
constexpr int kRecallUnitPauseMs = 100;

/// Reports stopped; every name (200 ms after each) with its level; the four units; the mixer as the
/// factory recovery pushes it (matrix rows with dynamics, filters and sources, outputs, bands,
/// automatic mixer, band 5, inputs 9..12); then what else the scene holds for the processor: the
/// detector, the dynamics, filters and bands of inputs 13..16 and the sources of inputs 13..18;
/// reports started again.
FramePlan SceneRecallPlan(const CDeviceState& s, IGlyphRenderer& renderer);

/// The sum of the plan's pauses: how long it takes at least.
int PlanPauseMs(const FramePlan& plan);

}  // namespace orvx
