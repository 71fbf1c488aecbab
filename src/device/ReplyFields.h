#pragma once
/// Checking one reply of the processor and splitting it into its fields.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace orvx {

/// Fields kept of the "%Z" reply (the full state with the firmware version).
constexpr std::size_t kVersionReplyFields = 64;
/// Fields kept of the "%r" reply and of a search answer.
constexpr std::size_t kShortReplyFields = 8;

/// The fields of one reply, or nothing when it is not a valid frame: it must start with "%", end
/// with "#", and the four characters before the "#" must be the checksum of everything before them
/// (upper-case digits). The text between "%" and the checksum is split at every comma; the pieces
/// before each comma are the fields (field 0 the letter), so the checksum is never a field. Only the
/// first `limit` fields are kept. The views point into `frame`.
std::optional<std::vector<std::string_view>> SplitReplyFields(std::string_view frame, std::size_t limit);

}  // namespace orvx
