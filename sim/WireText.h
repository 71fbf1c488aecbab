#pragma once
/// Small text helpers for the simulator's side of the wire: fixed-width upper-case hex fields,
/// strict hex reading and splitting a frame into its elements.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvx {

/// `value` as exactly `digits` upper-case hex digits; bits above the field width are dropped so a
/// stray negative or oversized value can never widen a column.
std::string HexField(std::int64_t value, int digits);

/// Reads one field of 1..`width` hex digits (either case): "%02X" fields have width 2, "%04X"
/// fields 4. An empty field, a non-hex digit or a field wider than its width is refused, so a
/// hostile run of digits can never wrap a value. Widths outside 1..7 are refused as well.
std::optional<std::int32_t> ReadHex(std::string_view text, int width);

/// Splits a complete frame "%L,f1,...,CCCC#" into its elements: [0] the letter, [1..] the fields,
/// the last element the checksum. An input that is not "%...#" gives an empty list.
std::vector<std::string_view> SplitElements(std::string_view frame);

/// `count` groups of `digits` hex digits read from a run; refused unless the run is exactly that long.
std::optional<std::vector<std::int32_t>> ReadHexRun(std::string_view run, int digits, int count);

}  // namespace orvx
