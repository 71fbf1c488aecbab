#pragma once
/// Builds the frame a command key names from the state as it is now.

#include <string>

#include "core/DeviceState.h"
#include "link/GlyphRenderer.h"
#include "session/ParamTable.h"

namespace orvx {

/// The complete frame for `key` ("" for a key no builder takes). "%V" renders the name's glyphs.
std::string BuildCommandFrame(const CDeviceState& s, const CommandKey& key, IGlyphRenderer& renderer);

}  // namespace orvx
