#include "CtlGroupCommands.h"

#include "CtlJson.h"
#include "session/ParamReport.h"

namespace orvx {
namespace {

constexpr int kVerifyAttempts = 3;
constexpr int kVerifyWaitMs = 1500;
constexpr int kPlanWaitMs = 5000;

/// True when every member the processor reports holds the wanted mute.
bool Confirmed(const CDeviceState& s, const std::vector<GroupMember>& members, bool on) {
  for (const GroupMember& m : members) {
    const ParamAddr a = MuteAddr(m);
    if (ReportOf(a) != ReportedBy::None && (ReadParam(s, a).raw != 0) != on) return false;
  }
  return true;
}

}  // namespace

CtlReply RunGroupMute(CCtlClient& client, const CtlOptions& o) {
  CDeviceState& s = client.State();
  MuteGroup& group = s.muteGroups[o.group];
  group = {};
  for (const GroupMember& m : o.members) (m.output ? group.outputs : group.inputs)[m.record] = 1;
  CChangePath& changes = client.Session().Changes();
  for (int attempt = 0; attempt < kVerifyAttempts; ++attempt) {
    // The whole plan again each time: a member the processor lost goes out with the others.
    PlanRequest plan = MuteGroupPlan(s, o.group, o.groupOn, ChangeOrigin::Script);
    changes.ApplyPlan(plan);
    client.Pump(kPlanWaitMs, [&] { return !changes.Busy(); });
    if (!client.Refresh(kVerifyWaitMs)) continue;
    if (!Confirmed(s, o.members, o.groupOn)) continue;
    const std::string word = o.groupOn ? "on" : "off";
    std::string out = o.json ? JsonLine({{"group", o.group + 1}, {"mute", word}, {"members", o.members.size()}})
                             : "mute group " + std::to_string(o.group + 1) + " " + word + "\n";
    return {kExitOk, out, {}, {}};
  }
  return {kExitNoAnswer, {}, "the processor did not take the mute group", {}};
}

}  // namespace orvx
