#pragma once
/// Mute groups: who belongs to a group, whether it is applied, and the plan that applies it.
///
/// Applying group n mutes (or opens) every member as one change, one undo step, and sends the
/// members' "%A" frames in member order: inputs by channel, then outputs. Switching on, each input
/// is followed by a 20 ms pause so the processor is not flooded; switching off goes at once. The
/// editor's keys and `orvxctl group mute` both use this one rule.

#include <vector>

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

inline constexpr int kMuteGroupInputPauseMs = 20;

struct GroupMember {
  bool output = false;
  int record = 0;  ///< input record 0..17 or output record 0..7
  bool operator==(const GroupMember&) const = default;
};

/// Members of mute group `group` (0..3), inputs first by record, then outputs.
std::vector<GroupMember> MuteGroupMembers(const CDeviceState& s, int group);
/// The MUTE parameter of a member.
ParamAddr MuteAddr(const GroupMember& m);
/// True when the group has members and every one of them is muted: its key shows lit.
bool MuteGroupApplied(const CDeviceState& s, int group);
/// The plan that sets every member's MUTE to `on`. Members whose mute no command carries (inputs
/// 13..16 and the effect returns) change in the state only.
PlanRequest MuteGroupPlan(const CDeviceState& s, int group, bool on, ChangeOrigin origin = ChangeOrigin::Control);

}  // namespace orvx
