#include "session/AutoMixerRules.h"

namespace orvx {

PlanRequest SyncedThresholdPlan(int record, std::int32_t raw) {
  PlanRequest plan;
  for (int r = 0; r < kAutomixInputs; ++r) plan.change.writes.push_back({{ParamId::InThreshold, r, 0}, {raw, {}}});
  const int pause = record == kAutomixInputs - 1 ? kSyncLastChannelPauseMs : kSyncPauseMs;
  plan.steps.push_back({{'L', record + 1, 0}, 0});
  for (int ch = 1; ch <= kAutomixInputs; ++ch) plan.steps.push_back({{'L', ch, 0}, pause});
  return plan;
}

ChangeResult ChangeThreshold(CChangePath& changes, const CDeviceState& s, int record, std::int32_t raw) {
  if (record < 0 || record >= kAutomixInputs) return ChangeResult::Refused;
  if (s.sync == 0) return changes.Set({ParamId::InThreshold, record, 0}, {raw, {}});
  ChangeResult result = ChangeResult::Refused;
  changes.ApplyPlan(SyncedThresholdPlan(record, raw), &result);
  return result;
}

}  // namespace orvx
