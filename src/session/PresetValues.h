#pragma once
/// Between a preset block and the device state: a block is written from values clamped to their
/// parameters' ranges, and a recalled block becomes writes clamped through the parameter table,
/// so a stored value outside its range (a 2-digit threshold of 255 where 0..60 is allowed) never
/// reaches the state.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DeviceState.h"
#include "dsp/PresetKind.h"
#include "session/ChangePath.h"

namespace orvx {

/// The block that saves a kind's values of an editor's record (see PresetRecordOf), each value
/// clamped to its range first. Empty for a record the kind does not edit.
std::string PresetBlockOf(PresetKind kind, const CDeviceState& state, int record);

/// Every value a kind's block holds for an editor's record (empty for a record the kind does not
/// edit), in the parameter table's order.
std::vector<ParamAddr> PresetAddressesOf(PresetKind kind, int record);

/// The writes that recall a block into an editor's record: every value the block changes, clamped
/// to its range. nullopt when the block is refused (its length, a digit that is not hexadecimal, a
/// comma out of place) or the record is not one the kind edits.
std::optional<std::vector<ParamWrite>> PresetWritesOf(PresetKind kind, std::string_view block,
                                                      const CDeviceState& state, int record);

}  // namespace orvx
