#pragma once
/// `group mute N on|off`: the editor's mute-group rule against the processor, confirmed by
/// reading its full state back, as `set` does.

#include "CtlClient.h"
#include "CtlParamCommands.h"

namespace orvx {

CtlReply RunGroupMute(CCtlClient& client, const CtlOptions& o);

}  // namespace orvx
