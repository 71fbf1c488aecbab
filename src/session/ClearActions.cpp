#include "session/ClearActions.h"

namespace orvx {

PlanRequest ClearMutePlan() {
  PlanRequest plan;
  auto clear = [&plan](ParamId id, int records) {
    for (int r = 0; r < records; ++r) {
      const ParamAddr addr{id, r, 0};
      plan.change.writes.push_back({addr, {0, {}}});
      for (const CommandKey& key : CommandsFor(addr)) plan.steps.push_back({key, kClearMutePauseMs});
    }
  };
  clear(ParamId::InMute, kInputRecords);
  clear(ParamId::OutMute, kOutputRecords);
  plan.change.origin = ChangeOrigin::Control;
  return plan;
}

bool SoloAnywhere(const CDeviceState& state) {
  for (int r = 0; r < kInputRecords; ++r)
    if (state.in[r].solo != 0) return true;
  return false;
}

ChangeRequest ClearSoloChange() {
  ChangeRequest change;
  for (int r = 0; r < kInputRecords; ++r) change.writes.push_back({{ParamId::InSolo, r, 0}, {0, {}}});
  return change;
}

}  // namespace orvx
