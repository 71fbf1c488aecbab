#pragma once
/// The frames that carry a set of changed values, for a push of only what differs (a recall of
/// the changes alone, sending the editor's values to the processor after a comparison).

#include <vector>

#include "core/DeviceState.h"
#include "link/FramePlan.h"
#include "session/CommandFrames.h"
#include "session/SceneDiff.h"

namespace orvx {

/// Every command that carries one of the changed values, once, built from `to`, in the order of
/// the whole-state push (names, levels, units, matrix, dynamics, filters, sources, outputs, bands,
/// automatic mixer, detector); each followed by the push's pause for its kind. Values no command
/// carries add nothing.
FramePlan ChangedFramesPlan(const std::vector<ValueDifference>& diffs, const CDeviceState& to,
                            const GlyphSource& glyphs);

}  // namespace orvx
