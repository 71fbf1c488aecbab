#pragma once
/// Values from the network pass the parameter table's range before anything shows or sends them:
/// a damaged or foreign report must not put a level of 255 on a fader or a slot entry no list
/// holds into the next "%X".

#include "core/DeviceState.h"

namespace orvx {

/// Clamps every numeric value of `state` into its parameter's range (per record where the range
/// differs by record). Returns how many values had to move.
int ClampToTable(CDeviceState& state);

}  // namespace orvx
