#pragma once
/// Builds the frame a command key names from the state as it is now.

#include <functional>
#include <string>

#include "core/DeviceState.h"
#include "link/GlyphRenderer.h"
#include "session/ParamTable.h"

namespace orvx {

/// Gives the glyph renderer; asked only for a name frame, so other frames never start FreeType.
using GlyphSource = std::function<IGlyphRenderer&()>;

/// The complete frame for `key` ("" for a key no builder takes). "%V" renders the name's glyphs.
std::string BuildCommandFrame(const CDeviceState& s, const CommandKey& key, const GlyphSource& glyphs);

}  // namespace orvx
