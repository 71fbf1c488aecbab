#include "session/MuteGroups.h"

#include <algorithm>

namespace orvx {

std::vector<GroupMember> MuteGroupMembers(const CDeviceState& s, int group) {
  std::vector<GroupMember> members;
  if (group < 0 || group >= kGroups) return members;
  const MuteGroup& g = s.muteGroups[group];
  for (int r = 0; r < kInputRecords; ++r)
    if (g.inputs[r] != 0) members.push_back({false, r});
  for (int r = 0; r < kOutputRecords; ++r)
    if (g.outputs[r] != 0) members.push_back({true, r});
  return members;
}

ParamAddr MuteAddr(const GroupMember& m) { return {m.output ? ParamId::OutMute : ParamId::InMute, m.record, 0}; }

bool MuteGroupApplied(const CDeviceState& s, int group) {
  const auto members = MuteGroupMembers(s, group);
  return !members.empty() && std::all_of(members.begin(), members.end(),
                                         [&](const GroupMember& m) { return ReadParam(s, MuteAddr(m)).raw != 0; });
}

PlanRequest MuteGroupPlan(const CDeviceState& s, int group, bool on, ChangeOrigin origin) {
  PlanRequest plan;
  plan.change.origin = origin;
  for (const GroupMember& m : MuteGroupMembers(s, group)) {
    const ParamAddr addr = MuteAddr(m);
    plan.change.writes.push_back({addr, {on ? 1 : 0, {}}});
    const int pause = on && !m.output ? kMuteGroupInputPauseMs : 0;
    for (const CommandKey& key : CommandsFor(addr)) plan.steps.push_back({key, pause});
  }
  return plan;
}

}  // namespace orvx
