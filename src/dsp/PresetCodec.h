#pragma once
/// The preset blocks of every kind, read from and written into the device record they belong to:
/// an input record (compressor, noise gate, parametric EQ), an output record (limiter, graphic EQ),
/// or the effect returns (delay, reverb), whatever record is asked for.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/DeviceState.h"
#include "dsp/PresetKind.h"

namespace orvx {

/// The record a kind's values live in for an editor of `record`: the delay and reverb returns for
/// their kinds, `record` itself for the others; -1 when `record` is not one the kind edits.
int PresetRecordOf(PresetKind kind, int record);

/// Characters of a kind's block: 14, 14, 12, 8, 82, 12 and 124.
std::size_t BlockLength(PresetKind kind);

/// The block of the record's values as they are (empty for a record the kind does not edit).
/// A value wider than its field is cut to the field; keep values in their ranges before this.
std::string EncodePreset(PresetKind kind, const CDeviceState& state, int record);

/// Reads a block into the record. Refused (false, the state untouched) unless the text has the
/// block's exact length, hexadecimal digits (of either case) in every field and its commas in
/// place. Values are taken as the digits give them; their ranges are the caller's to keep.
bool DecodePreset(PresetKind kind, std::string_view block, CDeviceState& state, int record);

}  // namespace orvx
