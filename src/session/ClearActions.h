#pragma once
/// The side panel's global clears, built as change-path requests so they are one undo step each.

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

/// Pause after each "%A" of CLEAR MUTE: a burst of 20 frames is spread over 200 ms.
inline constexpr int kClearMutePauseMs = 10;

/// CLEAR MUTE: every input and output MUTE to 0 as one plan. Its frames are the strips' own "%A"
/// frames, inputs 1..12 then outputs 13..20, each sent even if that mute was already clear so the
/// processor ends unmuted whatever it held; inputs without a channel of their own change the
/// state only.
PlanRequest ClearMutePlan();
/// CLEAR SOLO: every input's SOLO flag to 0. No command carries SOLO, so this changes the state only.
ChangeRequest ClearSoloChange();
/// Whether CLEAR SOLO has anything to clear.
bool SoloAnywhere(const CDeviceState& state);

namespace captions {
inline constexpr Caption kNoSolo{"No channel is soloed.", "没有独奏的通道。"};
}  // namespace captions

}  // namespace orvx
