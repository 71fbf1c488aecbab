#pragma once
/// Fixed-width upper-case hexadecimal fields, and their strict reading: the wire's fields on the
/// simulator's side and the fields of preset blocks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvx {

/// `value` as exactly `digits` upper-case hex digits; bits above the field width are dropped so a
/// stray negative or oversized value can never widen a column.
std::string HexField(std::int64_t value, int digits);

/// Reads one field of 1..`width` hex digits (either case): "%02X" fields have width 2, "%04X"
/// fields 4. An empty field, a non-hex digit or a field wider than its width is refused, so a
/// hostile run of digits can never wrap a value. Widths outside 1..7 are refused as well.
std::optional<std::int32_t> ReadHex(std::string_view text, int width);

}  // namespace orvx
