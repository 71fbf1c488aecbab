#pragma once
/// Rules that span records: a value valid on its own may still clash with what another record
/// holds. The change path consults them for every origin (a control, typed entry, undo, a script),
/// so no caller can store a clash.

#include <vector>

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "session/ParamTable.h"

namespace orvx {

struct ParamWrite;

namespace captions {
/// A Dante channel feeds one input only (the processor's own text, in one language).
inline constexpr Caption kDanteSourceTaken{"已经设了Dante输入源", "已经设了Dante输入源"};
}  // namespace captions

/// The refusal message when `writes`, applied together to `state`, would break a rule; nullptr
/// when they may go. `writes` hold values already clamped to their range (the rule judges what
/// would be stored). Rules: no two records with a source list (the inputs, the delay and reverb
/// returns) take the same Dante source (1..4); a non-zero unit slot entry is held by one slot of
/// one unit only ("Already select.").
const Caption* RuleConflict(const CDeviceState& state, const std::vector<ParamWrite>& writes);

}  // namespace orvx
