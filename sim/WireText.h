#pragma once
/// Small text helpers for the simulator's side of the wire: fixed-width upper-case hex fields,
/// strict hex reading (both in core/HexText.h) and splitting a frame into its elements.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/HexText.h"

namespace orvx {

/// Splits a complete frame "%L,f1,...,CCCC#" into its elements: [0] the letter, [1..] the fields,
/// the last element the checksum. An input that is not "%...#" gives an empty list.
std::vector<std::string_view> SplitElements(std::string_view frame);

/// `count` groups of `digits` hex digits read from a run; refused unless the run is exactly that long.
std::optional<std::vector<std::int32_t>> ReadHexRun(std::string_view run, int digits, int count);

}  // namespace orvx
