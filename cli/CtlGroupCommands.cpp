#include "CtlGroupCommands.h"

#include "CtlJson.h"
#include "session/ParamReport.h"

namespace orvx {
namespace {

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
  const bool shown = SendPlanUntilShown(
      client, [&] { return MuteGroupPlan(s, o.group, o.groupOn, ChangeOrigin::Script); },
      [&] { return Confirmed(s, o.members, o.groupOn); });
  if (!shown) return {kExitNoAnswer, {}, "the processor did not take the mute group", {}};
  const std::string word = o.groupOn ? "on" : "off";
  std::string out = o.json ? JsonLine({{"group", o.group + 1}, {"mute", word}, {"members", o.members.size()}})
                           : "mute group " + std::to_string(o.group + 1) + " " + word + "\n";
  return {kExitOk, out, {}, {}};
}

}  // namespace orvx
