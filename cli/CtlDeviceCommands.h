#pragma once
/// orvxctl's device commands: the search of a subnet, the conference units and a unit call.
#include <string>

#include "CtlClient.h"
#include "CtlOptions.h"
#include "CtlParamCommands.h"
#include "device/DeviceSearch.h"

namespace orvx {

/// What a finished search prints: one line per processor ("IP PORT"), or a JSON array.
std::string FormatFound(const std::vector<FoundDevice>& found, bool json);

/// search: probes the subnet from --local-ip (skipped when it lies in the subnet), listens
/// `seconds` after the probe, prints what answered. Nobody answering is kExitNoAnswer with the
/// explanation of what was probed; a port held by another program is kExitFailure with the reason.
CtlReply RunSearch(const CtlOptions& o);

/// units: the reported unit count and every slot of the four units.
std::string FormatUnits(const CDeviceState& s, bool json);

/// unit call N: "%W" for the unit, then waits until it has left.
CtlReply RunUnitCall(CCtlClient& client, const CtlOptions& o);

}  // namespace orvx
