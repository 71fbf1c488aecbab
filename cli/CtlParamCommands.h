#pragma once
/// get and set of any value of the parameter table, on a connected session.
///
/// set goes through the change path like any other change, then reads the processor's state
/// afresh ("%Z") until it shows the value, repeating the change if it does not: UDP may lose a
/// frame, and a change the processor never took is reported, never claimed.

#include "CtlClient.h"
#include "CtlOptions.h"

#include <functional>
#include <optional>
#include <string>

namespace orvx {

/// What a command printed (stdout), why it failed (empty when it did not), a remark for stderr.
struct CtlReply {
  int code = kExitOk;
  std::string out;
  std::string error;
  std::string note;
};

/// How a change is confirmed: up to kVerifyAttempts reads of the processor's full state, each
/// waited for at most kVerifyWaitMs; a plan may take kPlanWaitMs to leave.
inline constexpr int kVerifyAttempts = 3;
inline constexpr int kVerifyWaitMs = 1500;
inline constexpr int kPlanWaitMs = 5000;

/// Sends the plan `plan` builds, waits until it has left, reads the processor's state and stops
/// when `shown` holds; at most kVerifyAttempts times. The plan is built afresh from the state each
/// time and goes whole, so a frame the processor lost goes again with the others.
bool SendPlanUntilShown(CCtlClient& client, const std::function<PlanRequest()>& plan,
                        const std::function<bool()>& shown);

/// Refuses, before any frame is sent, what cannot reach the processor: set of a value no command
/// carries, get of a value no report carries (kExitStateOnly).
std::optional<CtlReply> RefuseUnreachable(const CtlOptions& o);

/// The value as printed by get and set: display units (or raw), JSON with stable keys, or the
/// older form's own output.
std::string FormatParamValue(const CDeviceState& s, const CtlOptions& o);

CtlReply RunGet(CCtlClient& client, const CtlOptions& o);
CtlReply RunSet(CCtlClient& client, const CtlOptions& o);

}  // namespace orvx
