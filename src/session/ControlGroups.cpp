#include "session/ControlGroups.h"

#include "core/TextCodec.h"

namespace orvx {

namespace {
bool AnySet(const std::int32_t* flags, int count) {
  for (int i = 0; i < count; ++i)
    if (flags[i] != 0) return true;
  return false;
}
}  // namespace

GroupSide ControlGroupSide(const CDeviceState& s, int group) {
  if (group < 0 || group >= kGroups) return GroupSide::None;
  const ControlGroup& g = s.controlGroups[group];
  if (AnySet(g.inputs, kInputRecords)) return GroupSide::Inputs;
  if (AnySet(g.outputs, kOutputRecords)) return GroupSide::Outputs;
  return GroupSide::None;
}

std::optional<ChangeRequest> ControlMemberToggle(const CDeviceState& s, int group, bool output, int record) {
  if (group < 0 || group >= kGroups) return std::nullopt;
  if (record < 0 || record >= (output ? kOutputRecords : kInputRecords)) return std::nullopt;
  const ControlGroup& g = s.controlGroups[group];
  // A group holds inputs or outputs: every input counts, the ones without a wire number (13..18) too.
  if (ControlGroupSide(s, group) == (output ? GroupSide::Inputs : GroupSide::Outputs)) return std::nullopt;
  const std::int32_t flag = output ? g.outputs[record] : g.inputs[record];
  const std::int32_t set = flag != 0 ? 0 : 1;
  ChangeRequest request;
  request.writes.push_back({{output ? ParamId::ControlGroupOut : ParamId::ControlGroupIn, group, record}, {set, {}}});
  request.writes.push_back({{ParamId::ControlGroupCount, group, 0}, {g.memberCount + (set ? 1 : -1), {}}});
  return request;
}

bool SwitchOffered(const GroupSwitch& s, GroupSide side) {
  switch (side) {
    case GroupSide::None: return true;
    case GroupSide::Inputs: return s.forInputs;
    case GroupSide::Outputs: return s.forOutputs;
  }
  return false;
}

ChangeRequest ControlGroupKeyChange(const CDeviceState& s, int group) {
  const ParamAddr on{ParamId::ControlGroupOn, group, 0};
  ChangeRequest request;
  request.writes.push_back({on, {ReadParam(s, on).raw != 0 ? 0 : 1, {}}});
  return request;
}

ChangeRequest ControlGroupNameChange(int group, std::string_view utf8) {
  ChangeRequest request;
  request.writes.push_back({{ParamId::ControlGroupName, group, 0}, {0, Utf8ToGbk(utf8)}});
  return request;
}

}  // namespace orvx
