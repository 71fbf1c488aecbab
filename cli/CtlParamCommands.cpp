#include "CtlParamCommands.h"

#include "CtlOutput.h"
#include "CtlParamArgs.h"
#include "CtlJson.h"
#include "session/ParamReport.h"

namespace orvx {
namespace {

/// "in.peq.gain 3 2", "automix.nom": the value as the operator addressed it.
std::string Addressed(const ParamAddr& a) {
  const ParamDef& d = Param(a.id);
  std::string text = d.name;
  if (!RecordWord(d).empty()) text += " " + std::to_string(a.record + 1);
  if (!IndexWord(d).empty()) text += " " + std::to_string(a.index + 1);
  return text;
}

std::string Value(const ParamAddr& a, const ParamValue& v) { return FormatParam(a, v, Language::English); }

/// Sets the value again when the state no longer holds it (a report brought the old one back),
/// otherwise repeats the frames that carry it.
ChangeResult Send(CChangePath& changes, const ParamAddr& a, const ParamValue& v) {
  const ChangeResult r = changes.Set(a, v, ChangeOrigin::Script);
  if (r == ChangeResult::Unchanged) changes.Resend(a);
  return r;
}

}  // namespace

bool SendPlanUntilShown(CCtlClient& client, const std::function<PlanRequest()>& plan,
                        const std::function<bool()>& shown) {
  CChangePath& changes = client.Session().Changes();
  for (int attempt = 0; attempt < kVerifyAttempts; ++attempt) {
    changes.ApplyPlan(plan());
    client.Pump(kPlanWaitMs, [&] { return !changes.Busy(); });
    if (client.Refresh(kVerifyWaitMs) && shown()) return true;
  }
  return false;
}

std::optional<CtlReply> RefuseUnreachable(const CtlOptions& o) {
  if (o.command == CtlCommand::Set && CommandsFor(o.addr).empty())
    return CtlReply{kExitStateOnly,
                    {},
                    Addressed(o.addr) +
                        " is kept in the editor only: no command carries it "
                        "to the processor; nothing was sent",
                    {}};
  if (o.command == CtlCommand::Get && ReportOf(o.addr) == ReportedBy::None)
    return CtlReply{kExitStateOnly, {}, "the processor does not report " + Addressed(o.addr) + "; nothing to read", {}};
  return std::nullopt;
}

std::string FormatParamValue(const CDeviceState& s, const CtlOptions& o) {
  if (o.legacy) return FormatValue(s, o, o.json);
  const ParamAddr& a = o.addr;
  const ParamDef& d = Param(a.id);
  const ParamValue v = ReadParam(s, a);
  const bool text = d.display.kind == DisplayKind::Text;
  if (!o.json) return (o.raw && !text ? std::to_string(v.raw) : Value(a, v)) + "\n";
  auto numberOr = [](bool has, int n) { return has ? CtlJson(n) : CtlJson(nullptr); };
  return JsonLine({{"param", d.name},
                   {"record", numberOr(!RecordWord(d).empty(), a.record + 1)},
                   {"index", numberOr(!IndexWord(d).empty(), a.index + 1)},
                   {"raw", numberOr(!text, v.raw)},
                   {"value", Value(a, v)}});
}

CtlReply RunGet(CCtlClient& client, const CtlOptions& o) {
  return {kExitOk, FormatParamValue(client.State(), o), {}, {}};
}

CtlReply RunSet(CCtlClient& client, const CtlOptions& o) {
  const ParamAddr& a = o.addr;
  CChangePath& changes = client.Session().Changes();
  const ReportedBy by = ReportOf(a);
  const ParamValue wanted = AfterWire(a, ClampParam(a, o.paramValue));
  for (int attempt = 0; attempt < kVerifyAttempts; ++attempt) {
    if (Send(changes, a, o.paramValue) == ChangeResult::Refused) {
      // A rule between records said no (a Dante source or a unit entry already taken).
      const Caption* why = changes.LastRefusal();
      return {kExitBadArguments, {}, why ? std::string(why->en) : "refused: " + Addressed(a), {}};
    }
    if (!client.Refresh(kVerifyWaitMs, by == ReportedBy::Y)) continue;
    // The processor answered the "%Z" queued after the change, so the change has left.
    if (by == ReportedBy::None)
      return {kExitUnconfirmed,
              {},
              "sent " + Addressed(a) + " " + Value(a, o.paramValue) +
                  ", but the processor does not report it back: not confirmed",
              {}};
    if (ReadParam(client.State(), a) != wanted) continue;
    CtlReply reply{kExitOk, FormatParamValue(client.State(), o), {}, {}};
    if (wanted != ClampParam(a, o.paramValue))
      reply.note = "the processor keeps " + Addressed(a) + " in coarser steps: " + Value(a, o.paramValue) +
                   " is held as " + Value(a, wanted);
    return reply;
  }
  return {kExitNoAnswer, {}, "the processor did not take the change", {}};
}

}  // namespace orvx
