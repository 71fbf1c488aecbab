#pragma once
/// orvxctl's scene commands on the editor's own scene store, its rules and its diff: list, save,
/// recall (the whole push or only the changes), rename, delete, export and import as JSON, and the
/// differences between any two of the processor, a stored scene, a scene file and a JSON document.

#include "CtlClient.h"
#include "CtlOptions.h"
#include "CtlParamCommands.h"

namespace orvx {

/// Runs a scene command. `client` is connected when SceneNeedsDevice(o), null otherwise.
CtlReply RunScene(const CtlOptions& o, CCtlClient* client);

}  // namespace orvx
